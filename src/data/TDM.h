#pragma once

#include "DataSource.h"
#include "GridModels.h"
#include "Query.h"
#include "Schema.h"
#include "Sqlite.h"
#include "Table.h"

#include <QObject>
#include <memory>
#include <vector>

namespace hoardly {

// The one holder of all table objects, a data source for each, and the shared query FilmQ.
// Every window works on these objects, so a position set in one window is seen by all.
class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr);
    // A store whose connection keeps its main database as given; tests compare the two.
    explicit TDM(Connection::Main main, QObject* parent = nullptr);
    ~TDM() override;

    Connection& connection() { return *connection_; }

    Table& table(const TableSchema& schema) const;
    DataSource& source(const TableSchema& schema) const;

    Table& filmTb() const { return table(schema::film()); }
    Table& musikTb() const { return table(schema::musik()); }
    Table& songTb() const { return table(schema::song()); }
    Table& bokTb() const { return table(schema::bok()); }
    Table& dataTb() const { return table(schema::data()); }
    Table& adressTb() const { return table(schema::adress()); }
    Table& valueTb() const { return table(schema::value()); }
    Table& kodTb() const { return table(schema::kod()); }
    Table& borrowTb() const { return table(schema::borrow()); }
    Table& configTb() const { return table(schema::config()); }
    Table& standardTb() const { return table(schema::standard()); }

    Query& filmQ() { return filmQ_; }
    QueryModel& filmQSource() { return filmQSource_; }

    // Points every table object and the query at one directory; open tables stay open.
    void setDirectoryOfClosed(const QString& directory);
    // Closes the query and every table, so that each table file can be copied whole.
    void closeAll();

private:
    struct Entry {
        std::unique_ptr<Table> table;
        std::unique_ptr<DataSource> source;
    };
    const Entry& entry(const TableSchema& schema) const;

    std::unique_ptr<Connection> connection_;
    std::vector<Entry> entries_;
    Query filmQ_;
    QueryModel filmQSource_{filmQ_};
};

} // namespace hoardly
