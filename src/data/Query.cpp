#include "Query.h"

#include "BackgroundWork.h"
#include "Errors.h"
#include "Schema.h"
#include "Sqlite.h"
#include "TextFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <utility>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

// The register tables a statement may name.
const QList<const TableSchema*>& queryTables() {
    static const QList<const TableSchema*> tables{&schema::film(), &schema::musik(),
                                                  &schema::song(), &schema::bok(), &schema::data()};
    return tables;
}

bool names(const QString& sql, const QString& table) {
    const QRegularExpression word(u"\\b"_s + table + u"\\b"_s,
                                  QRegularExpression::CaseInsensitiveOption);
    return word.match(sql).hasMatch();
}

} // namespace

Query::Query(QObject* parent)
    : QObject(parent), connection_(std::make_unique<Connection>(Connection::Main::InMemory)),
      watcher_(new QFutureWatcher<Result>(this)), rowCache_(256) {
    thread_.setMaxThreadCount(1); // one after the other, in the order they were given
    connect(watcher_, &QFutureWatcherBase::finished, this, [this] {
        if (watcher_->future().resultCount() > 0)
            adopt(watcher_->future().result());
    });
}

Query::~Query() {
    thread_.waitForDone();
}

void Query::setDirectory(const QString& directory) {
    close();
    directory_ = directory;
}

void Query::clear() {
    close();
    lines_.clear();
    parameters_.clear();
}

void Query::addLine(const QString& line) {
    close();
    lines_ << line;
}

void Query::setStatement(const QStringList& lines) {
    close();
    lines_ = lines;
}

void Query::loadFromFile(const QString& path) {
    close();
    lines_ = readTextFile(path).split(u'\n');
    for (QString& line : lines_) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
}

void Query::setParameters(const QVariantList& values) {
    close();
    parameters_ = values;
}

void Query::start() {
    QString sql = lines_.join(u'\n').trimmed();
    if (sql.isEmpty())
        throw StoreError(u"The query has no statement to run."_s);
    if (sql.endsWith(u';'))
        sql.chop(1);
    const Run what{sql, parameters_, directory_};
    const quint64 number = ++started_;
    leftOver_ = true;
    startInPool(
        *watcher_,
        [this, what, number] {
            Result result = run(what);
            result.number = number;
            return result;
        },
        &thread_);
}

void Query::open() {
    if (open_)
        return;
    if (!isRunning())
        start();
    watcher_->waitForFinished();
    const Result result = watcher_->future().result();
    if (!result.error.isEmpty()) {
        close();
        throw StoreError(result.error);
    }
    adopt(result);
}

void Query::openInBackground() {
    if (!open_ && !isRunning())
        start();
}

void Query::adopt(const Result& result) {
    if (result.number <= adopted_)
        return; // taken already, or let go by a close
    adopted_ = result.number;
    if (!result.error.isEmpty()) {
        close();
        emit failed(result.error);
        return;
    }
    rows_ = result.rows;
    columns_ = result.columns;
    open_ = true;
    emit stateChanged();
}

Query::Result Query::run(const Run& what) {
    Result result;
    try {
        dropResult();
        for (const TableSchema* table : queryTables()) {
            if (!names(what.sql, table->tableName))
                continue;
            const QString alias = u"q_"_s + table->tableName;
            connection_->attach(QDir(what.directory).filePath(table->fileName), alias, true);
            attached_ << alias;
        }
        Statement create = connection_->prepare(u"CREATE TABLE main.result AS "_s + what.sql);
        create.bindAll(what.parameters);
        create.step();
        Statement count = connection_->prepare(u"SELECT count(*) FROM main.result"_s);
        count.step();
        result.rows = int(count.int64(0));
        count.reset();
        Statement columns = connection_->prepare(u"SELECT * FROM main.result LIMIT 0"_s);
        for (int i = 0; i < columns.columnCount(); ++i)
            result.columns << columns.columnName(i);
    } catch (const StoreError& error) {
        result.error = error.text();
        try {
            dropResult();
        } catch (const StoreError&) {
        }
    }
    return result;
}

void Query::dropResult() {
    for (const QString& alias : std::as_const(attached_))
        connection_->detach(alias);
    attached_.clear();
    connection_->exec(u"DROP TABLE IF EXISTS main.result"_s);
}

void Query::close() {
    const bool wasOpen = open_;
    adopted_ = started_; // a run still going is not wanted now
    open_ = false;
    rows_ = 0;
    columns_.clear();
    rowCache_.clear();
    if (std::exchange(leftOver_, false)) {
        // The rows of a large result take a while to drop; the query's thread does it.
        thread_.start([this] {
            try {
                dropResult();
            } catch (const StoreError&) {
            }
        });
    }
    if (wasOpen)
        emit stateChanged();
}

QVariant Query::value(int row, int column) const {
    if (!open_ || row < 0 || row >= rows_)
        return {};
    QVector<QVariant>* values = rowCache_.object(row);
    if (!values) {
        Statement select = connection_->prepare(u"SELECT * FROM main.result WHERE rowid = ?1"_s);
        select.bind(1, qlonglong(row) + 1);
        values = new QVector<QVariant>(int(columns_.size()));
        if (select.step()) {
            for (int i = 0; i < values->size(); ++i)
                (*values)[i] = select.value(i);
            select.reset();
        }
        rowCache_.insert(row, values);
    }
    return values->value(column);
}

} // namespace hoardly
