#pragma once

#include <QObject>

namespace hoardly {

class Table;

// The link between a table object and the controls bound to it. Controls follow the table's
// signals; the source says whether typing into a bound control starts editing by itself.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(Table& table, QObject* parent = nullptr) : QObject(parent), table_(table) {}
    Table& table() const { return table_; }
    bool autoEdit() const { return autoEdit_; }
    void setAutoEdit(bool on) { autoEdit_ = on; }

private:
    Table& table_;
    bool autoEdit_ = true;
};

} // namespace hoardly
