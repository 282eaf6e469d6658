#pragma once

#include <QCache>
#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <memory>

namespace hoardly {

class Connection;

// The SQL query object: a statement held as lines, run against the register tables of its
// directory, with a read-only result. The result is kept in a table of the query's own
// in-memory database, so a large result costs no more than its rows and a grid reads only
// the rows it paints.
class Query : public QObject {
    Q_OBJECT
public:
    explicit Query(QObject* parent = nullptr);
    ~Query() override;

    void setDirectory(const QString& directory);
    QString directory() const { return directory_; }

    QStringList statement() const { return lines_; }
    void clear();                      // closes the query
    void addLine(const QString& line); // closes the query
    void setStatement(const QStringList& lines);
    void loadFromFile(const QString& path); // a FileError when it cannot be read
    // Values for the statement's "?" marks, in order; cleared with the statement.
    void setParameters(const QVariantList& values);
    QVariantList parameters() const { return parameters_; }

    void open();
    void close();
    bool isOpen() const { return open_; }

    int rowCount() const { return rows_; }
    int columnCount() const { return int(columns_.size()); }
    QString columnName(int column) const { return columns_.value(column); }
    QVariant value(int row, int column) const;

signals:
    void stateChanged(); // opened or closed: the result changed

private:
    std::unique_ptr<Connection> connection_;
    QString directory_;
    QStringList lines_;
    QVariantList parameters_;
    bool open_ = false;
    int rows_ = 0;
    QStringList columns_;
    QStringList attached_;
    mutable QCache<int, QVector<QVariant>> rowCache_;
};

} // namespace hoardly
