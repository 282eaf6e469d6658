#include "Query.h"

#include "Errors.h"
#include "Schema.h"
#include "Sqlite.h"
#include "TextFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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
      rowCache_(256) {}

Query::~Query() = default;

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

void Query::open() {
    if (open_)
        return;
    const QString sql = lines_.join(u'\n').trimmed();
    if (sql.isEmpty())
        throw StoreError(u"The query has no statement to run."_s);
    for (const TableSchema* table : queryTables()) {
        if (!names(sql, table->tableName))
            continue;
        const QString alias = u"q_"_s + table->tableName;
        connection_->attach(QDir(directory_).filePath(table->fileName), alias, true);
        attached_ << alias;
    }
    try {
        QString select = sql;
        if (select.endsWith(u';'))
            select.chop(1);
        connection_->exec(u"DROP TABLE IF EXISTS main.result"_s);
        Statement create = connection_->prepare(u"CREATE TABLE main.result AS "_s + select);
        create.bindAll(parameters_);
        create.step();
        Statement count = connection_->prepare(u"SELECT count(*) FROM main.result"_s);
        count.step();
        rows_ = int(count.int64(0));
        count.reset();
        Statement columns = connection_->prepare(u"SELECT * FROM main.result LIMIT 0"_s);
        columns_.clear();
        for (int i = 0; i < columns.columnCount(); ++i)
            columns_ << columns.columnName(i);
    } catch (const StoreError&) {
        close();
        throw;
    }
    open_ = true;
    emit stateChanged();
}

void Query::close() {
    const bool wasOpen = open_;
    open_ = false;
    rows_ = 0;
    columns_.clear();
    rowCache_.clear();
    for (const QString& alias : std::as_const(attached_))
        connection_->detach(alias);
    attached_.clear();
    if (wasOpen) {
        connection_->exec(u"DROP TABLE IF EXISTS main.result"_s);
        emit stateChanged();
    }
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
