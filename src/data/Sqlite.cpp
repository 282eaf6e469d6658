#include "Sqlite.h"

#include "Errors.h"
#include "StoreFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

QString errorText(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// The attached databases' names (not main or temp) and their files.
QList<std::pair<QString, QString>> attachedFiles(sqlite3* db) {
    QList<std::pair<QString, QString>> files;
    for (int i = 2; const char* name = sqlite3_db_name(db, i); ++i) {
        const char* file = sqlite3_db_filename(db, name);
        if (file && *file)
            files.append({QString::fromUtf8(name), QString::fromUtf8(file)});
    }
    return files;
}

bool isWriteStatement(const QString& sql) {
    static const QRegularExpression writing(u"^\\s*(INSERT|UPDATE|DELETE|REPLACE|COMMIT|END)\\b"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    return writing.match(sql).hasMatch();
}

bool isCommit(const QString& sql) {
    static const QRegularExpression commit(u"^\\s*(COMMIT|END)\\b"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    return commit.match(sql).hasMatch();
}

// The engine's failure of a statement as a StoreError a user can act on: the files it named
// (or, for a commit, every file written), never the names we attach them under.
[[noreturn]] void throwEngineError(sqlite3* db, const QString& sql, const QString& engineText,
                                   int code) {
    EngineFault fault;
    fault.code = code;
    fault.engineText = engineText;
    fault.writing = isWriteStatement(sql);
    const auto files = attachedFiles(db);
    for (const auto& [alias, file] : files) {
        if (sql.contains(alias + u'.'))
            fault.files << file;
        fault.engineText.replace(alias + u'.', QString());
    }
    // A file opened on its own is the main database (the commit file of a connection is not).
    const QString mainFile = QString::fromUtf8(sqlite3_db_filename(db, "main"));
    if (fault.files.isEmpty() && !mainFile.isEmpty() &&
        QFileInfo(mainFile).fileName() != QLatin1String(Connection::kCommitFileName))
        fault.files << mainFile;
    if (fault.files.isEmpty() && isCommit(sql)) {
        for (const auto& [alias, file] : files) {
            if (sqlite3_txn_state(db, alias.toUtf8().constData()) == SQLITE_TXN_WRITE)
                fault.files << file;
        }
    }
    // A statement of the query object that names no file of ours: its error is the
    // statement's own, in the engine's words.
    if (fault.files.isEmpty() && (code & 0xff) == SQLITE_ERROR)
        throw StoreError(fault.engineText, code);
    throw StoreError(describeFault(fault), code);
}

[[noreturn]] void throwEngineError(sqlite3* db, const QString& sql) {
    throwEngineError(db, sql, errorText(db), sqlite3_extended_errcode(db));
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
        const int code = sqlite3_extended_errcode(db);
        const QString text = errorText(db);
        sqlite3_close(db);
        throw StoreError(what.isEmpty() ? text : u"%1: %2"_s.arg(what, text), code);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    registerTextFunctions(db);
    return db;
}

// A super-journal lists the journals of the files one commit wrote, each name ending in a
// NUL. One that a kill left before any journal named it, or whose files have all been rolled
// back since, lists no journal that still exists: no file can need it, so it goes.
void removeStaleSuperJournals(const QString& folder) {
    const QString pattern = QString::fromLatin1(Connection::kCommitFileName) + u"-mj*"_s;
    const QFileInfoList found =
        QDir(folder).entryInfoList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& info : found) {
        QFile superJournal(info.absoluteFilePath());
        if (!superJournal.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> journals = superJournal.readAll().split('\0');
        superJournal.close();
        const bool needed =
            std::any_of(journals.begin(), journals.end(), [](const QByteArray& name) {
                return !name.isEmpty() && QFileInfo::exists(QFile::decodeName(name));
            });
        if (!needed)
            QFile::remove(info.absoluteFilePath());
    }
}

// Runs statements that return no rows.
void execOn(sqlite3* db, const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message);
        sqlite3_free(message);
        throwEngineError(db, sql, text, sqlite3_extended_errcode(db));
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
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt_, &tail) != SQLITE_OK)
        throwEngineError(db_, sql);
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

QString Statement::sql() const {
    return stmt_ ? QString::fromUtf8(sqlite3_sql(stmt_)) : QString();
}

void Statement::check(int rc) const {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail();
}

void Statement::fail() const {
    throwEngineError(db_, sql());
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
    const int code = sqlite3_extended_errcode(db_);
    const QString failed = sql();
    sqlite3_reset(stmt_);
    throwEngineError(db_, failed, text, code);
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

// --- CachedStatement --------------------------------------------------------------------

CachedStatement::CachedStatement(std::shared_ptr<StatementSlot> slot) : slot_(std::move(slot)) {
    slot_->inUse = true;
}

CachedStatement::CachedStatement(Statement own)
    : slot_(std::make_shared<StatementSlot>(StatementSlot{std::move(own), true})) {}

CachedStatement::~CachedStatement() {
    if (!slot_)
        return;
    slot_->statement.reset();
    slot_->inUse = false;
}

// --- Connection -------------------------------------------------------------------------

namespace {
constexpr int kOpenFlags =
    SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
}

Connection::Connection(Main main) : main_(main), db_(openDatabase(":memory:", kOpenFlags)) {
    // The query object runs statements users wrote; the tables' own statements are ours.
    if (main_ == Main::BesideTables)
        requireNamedFields();
}

Connection::~Connection() {
    closeMain();
}

void Connection::closeMain() {
    cache_.clear();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    // The commit file holds nothing; one left by a kill is reused and removed next time.
    if (!mainPath_.isEmpty() && QFileInfo(mainPath_).size() == 0)
        QFile::remove(mainPath_);
    mainPath_.clear();
}

void Connection::openMain(const QString& folder) {
    closeMain();
    home_ = folder;
    removeStaleSuperJournals(folder);
    const QString path = QDir(folder).filePath(QString::fromLatin1(kCommitFileName));
    try {
        db_ = openDatabase(path.toUtf8(), kOpenFlags);
        mainPath_ = path;
    } catch (const StoreError&) {
        // A folder nothing can be written in: no commit there can need the super-journal.
        db_ = openDatabase(":memory:", kOpenFlags);
    }
    requireNamedFields();
}

// A name in double quotes that names no field is an error, not a text: a field missing from
// a file must never compare as its own name.
void Connection::requireNamedFields() {
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
}

void Connection::homeBeside(const QString& filePath) {
    if (main_ != Main::BesideTables || attached_ > 0)
        return;
    const QString folder = QFileInfo(filePath).absolutePath();
    if (folder != home_)
        openMain(folder);
}

QString Connection::mainFile() const {
    return mainPath_;
}

void Connection::exec(const QString& sql) {
    execOn(db_, sql);
}

CachedStatement Connection::cached(const QString& sql) {
    auto found = cache_.find(sql);
    if (found == cache_.end())
        found = cache_.insert(sql, std::make_shared<StatementSlot>(StatementSlot{prepare(sql)}));
    if ((*found)->inUse)
        return CachedStatement(prepare(sql));
    return CachedStatement(*found);
}

void Connection::dropCachedOf(const QString& alias) {
    const QString named = alias + u'.';
    for (auto it = cache_.begin(); it != cache_.end();) {
        if (it.key().contains(named))
            it = cache_.erase(it);
        else
            ++it;
    }
}

qint64 Connection::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}

int Connection::changes() const {
    return sqlite3_changes(db_);
}

bool Connection::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

quint32 Connection::dataVersion(const QString& alias) {
    // A read first: only when it begins does the file show a change another connection made.
    cached(u"SELECT 1 FROM "_s + alias + u".sqlite_master LIMIT 1"_s)->step();
    unsigned int version = 0;
    const QByteArray name = alias.toUtf8();
    if (sqlite3_file_control(db_, name.constData(), SQLITE_FCNTL_DATA_VERSION, &version) !=
        SQLITE_OK)
        return 0;
    return version;
}

void Connection::attach(const QString& filePath, const QString& alias, bool readOnly) {
    const QFileInfo info(filePath);
    if (const QString problem = unusablePathProblem(filePath); !problem.isEmpty())
        throw StoreError(problem);
    homeBeside(filePath);
    Statement attach = prepare(u"ATTACH DATABASE ?1 AS "_s + alias);
    attach.bind(1, uriFor(filePath, readOnly));
    try {
        attach.step();
    } catch (const StoreError& error) {
        throw StoreError(describeFault({error.code(), error.text(), {info.absoluteFilePath()}}),
                         error.code());
    }
    ++attached_;
    try {
        // Reading the catalogue proves the file is a database at all.
        Statement probe = prepare(u"SELECT count(*) FROM "_s + alias + u".sqlite_master"_s);
        probe.step();
        if (!readOnly) {
            exec(u"PRAGMA "_s + alias + u".journal_mode = DELETE"_s);
            exec(u"PRAGMA "_s + alias + u".synchronous = FULL"_s);
        }
    } catch (const StoreError&) {
        try {
            detach(alias);
        } catch (const StoreError&) {
        }
        throw;
    }
}

void Connection::detach(const QString& alias) {
    dropCachedOf(alias);
    exec(u"DETACH DATABASE "_s + alias);
    --attached_;
}

// --- Transaction ------------------------------------------------------------------------

Transaction::Transaction(Connection& connection) : connection_(connection) {
    outermost_ = !connection_.inTransaction();
    if (outermost_)
        connection_.exec(u"BEGIN"_s);
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
