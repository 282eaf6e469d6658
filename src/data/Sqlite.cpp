#include "Sqlite.h"

#include "Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

QString errorText(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

void caseFunction(sqlite3_context* context, int argc, sqlite3_value** argv, bool upper) {
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QString text = QString::fromUtf8(raw, sqlite3_value_bytes(argv[0]));
    const QByteArray result = (upper ? text.toUpper() : text.toLower()).toUtf8();
    sqlite3_result_text(context, result.constData(), int(result.size()), SQLITE_TRANSIENT);
}

void upperFunction(sqlite3_context* c, int argc, sqlite3_value** argv) {
    caseFunction(c, argc, argv, true);
}
void lowerFunction(sqlite3_context* c, int argc, sqlite3_value** argv) {
    caseFunction(c, argc, argv, false);
}

QString uriFor(const QString& filePath, bool readOnly) {
    const QByteArray encoded = QUrl::toPercentEncoding(QFileInfo(filePath).absoluteFilePath(), "/");
    return u"file:"_s + QString::fromLatin1(encoded) + (readOnly ? u"?mode=ro"_s : u"?mode=rw"_s);
}

// Opens a connection with our text functions; a failure throws the engine's text, after
// `what` when one is given.
sqlite3* openDatabase(const QByteArray& name, int flags, const QString& what = {}) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(name.constData(), &db, flags, nullptr) != SQLITE_OK) {
        const QString text = errorText(db);
        sqlite3_close(db);
        throw StoreError(what.isEmpty() ? text : u"%1: %2"_s.arg(what, text));
    }
    sqlite3_busy_timeout(db, 2000);
    registerTextFunctions(db);
    return db;
}

// Runs statements that return no rows.
void execOn(sqlite3* db, const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message);
        sqlite3_free(message);
        throw StoreError(text);
    }
}

} // namespace

void registerTextFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "UPPER", 1, flags, nullptr, upperFunction, nullptr, nullptr);
    sqlite3_create_function(db, "LOWER", 1, flags, nullptr, lowerFunction, nullptr, nullptr);
}

// --- Statement --------------------------------------------------------------------------

Statement::Statement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    check(sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt_, &tail));
    // One statement only: whatever follows it would silently not run.
    if (tail && !QByteArray(tail).trimmed().isEmpty()) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw StoreError(u"Only one statement can be run at a time."_s);
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        db_ = other.db_;
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void Statement::check(int rc) const {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw StoreError(errorText(db_));
}

Statement& Statement::bind(int position, const QVariant& value) {
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(stmt_, position);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(stmt_, position, value.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(stmt_, position, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(stmt_, position, bytes.constData(), int(bytes.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, position, utf8.constData(), int(utf8.size()),
                                   SQLITE_TRANSIENT);
        }
        }
    }
    check(rc);
    return *this;
}

Statement& Statement::bindAll(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values[i]);
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(stmt_);
        return false;
    }
    const QString text = errorText(db_);
    sqlite3_reset(stmt_);
    throw StoreError(text);
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

qint64 Statement::int64(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

QString Statement::text(int column) const {
    const auto* raw = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(raw, sqlite3_column_bytes(stmt_, column));
}

QVariant Statement::value(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, column));
    case SQLITE_TEXT:
        return QVariant(text(column));
    case SQLITE_BLOB: {
        const auto* raw = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
        return QVariant(QByteArray(raw, sqlite3_column_bytes(stmt_, column)));
    }
    default:
        return {};
    }
}

// --- Connection -------------------------------------------------------------------------

Connection::Connection()
    : db_(openDatabase(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI |
                                       SQLITE_OPEN_NOMUTEX)) {}

Connection::~Connection() {
    sqlite3_close_v2(db_);
}

void Connection::exec(const QString& sql) {
    execOn(db_, sql);
}

qint64 Connection::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}

bool Connection::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

void Connection::attach(const QString& filePath, const QString& alias, bool readOnly) {
    const QFileInfo info(filePath);
    if (!info.exists())
        throw StoreError(
            u"The table file %1 does not exist in %2."_s.arg(info.fileName(), info.absolutePath()));
    Statement attach = prepare(u"ATTACH DATABASE ?1 AS "_s + alias);
    attach.bind(1, uriFor(filePath, readOnly));
    try {
        attach.step();
        // Reading the catalogue proves the file is a database at all.
        Statement probe = prepare(u"SELECT count(*) FROM "_s + alias + u".sqlite_master"_s);
        probe.step();
    } catch (const StoreError& error) {
        attach = Statement();
        try {
            detach(alias);
        } catch (const StoreError&) {
        }
        throw StoreError(u"The table file %1 cannot be opened: %2"_s.arg(
            QDir::toNativeSeparators(info.absoluteFilePath()), error.text()));
    }
    if (!readOnly) {
        exec(u"PRAGMA "_s + alias + u".journal_mode = DELETE"_s);
        exec(u"PRAGMA "_s + alias + u".synchronous = FULL"_s);
    }
}

void Connection::detach(const QString& alias) {
    exec(u"DETACH DATABASE "_s + alias);
}

// --- Transaction ------------------------------------------------------------------------

Transaction::Transaction(Connection& connection) : connection_(connection) {
    outermost_ = !connection_.inTransaction();
    if (outermost_)
        connection_.exec(u"BEGIN IMMEDIATE"_s);
}

Transaction::~Transaction() {
    if (outermost_ && !done_ && connection_.inTransaction()) {
        try {
            connection_.exec(u"ROLLBACK"_s);
        } catch (const StoreError&) {
        }
    }
}

void Transaction::commit() {
    if (outermost_ && !done_)
        connection_.exec(u"COMMIT"_s);
    done_ = true;
}

// --- FileDatabase -----------------------------------------------------------------------

FileDatabase::FileDatabase(const QString& filePath, bool create)
    : db_(openDatabase(filePath.toUtf8(), SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0),
                       filePath)) {}

FileDatabase::~FileDatabase() {
    sqlite3_close_v2(db_);
}

void FileDatabase::exec(const QString& sql) {
    execOn(db_, sql);
}

} // namespace hoardly
