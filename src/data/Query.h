#pragma once

#include <QCache>
#include <QFutureWatcher>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QVariantList>
#include <QVector>
#include <memory>

namespace hoardly {

class Connection;

// The SQL query object: a statement held as lines, run against the register tables of its
// directory, with a read-only result. The result is kept in a table of the query's own
// in-memory database, so a large result costs no more than its rows and a grid reads only
// the rows it paints. Everything the query does on its connection runs, in order, on a thread
// of its own: a search of every record, or dropping the rows of the last one, keeps no window
// waiting.
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

    // Runs the statement and waits for its rows; a StoreError when it fails.
    void open();
    // Runs the statement on the query's thread and goes on at once: stateChanged() comes when
    // the rows are in, failed() when the statement fails. Until then the query is closed.
    void openInBackground();
    bool isRunning() const { return started_ > adopted_; }
    void close();
    bool isOpen() const { return open_; }

    int rowCount() const { return rows_; }
    int columnCount() const { return int(columns_.size()); }
    QString columnName(int column) const { return columns_.value(column); }
    QVariant value(int row, int column) const;

signals:
    void stateChanged(); // opened or closed: the result changed
    void failed(const QString& text);

private:
    struct Result {
        quint64 number = 0; // of the run
        int rows = 0;
        QStringList columns;
        QString error; // empty when the statement ran
    };
    struct Run {
        QString sql;
        QVariantList parameters;
        QString directory;
    };
    void start();
    Result run(const Run& what); // on the query's thread
    void dropResult();           // on the query's thread
    void adopt(const Result& result);

    std::unique_ptr<Connection> connection_;
    QThreadPool thread_;
    QFutureWatcher<Result>* watcher_ = nullptr;
    quint64 started_ = 0;   // runs started
    quint64 adopted_ = 0;   // the last run whose result was taken or let go
    bool leftOver_ = false; // a run's rows or files may be on the connection
    QString directory_;
    QStringList lines_;
    QVariantList parameters_;
    bool open_ = false;
    int rows_ = 0;
    QStringList columns_;
    QStringList attached_; // on the query's thread only
    mutable QCache<int, QVector<QVariant>> rowCache_;
};

} // namespace hoardly
