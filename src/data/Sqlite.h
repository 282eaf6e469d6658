#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace hoardly {

// A prepared statement. Steps, reads columns and resets itself when it goes out of use so it
// never holds a lock on the files it read.
class Statement {
public:
    Statement() = default;
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return stmt_ != nullptr; }
    QString sql() const;
    Statement& bind(int position, const QVariant& value); // positions count from 1
    Statement& bindAll(const QVariantList& values);
    bool step(); // true while a row is available
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    bool isNull(int column) const;
    qint64 int64(int column) const;
    QString text(int column) const;
    QVariant value(int column) const; // integer, real, text, blob or null

private:
    void check(int rc) const;
    [[noreturn]] void fail() const;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

// A cached statement and whether a lease has it now.
struct StatementSlot {
    Statement statement;
    bool inUse = false;
};

// A statement taken from a connection's cache for one use: it is reset, its values cleared,
// when the lease ends, so the next user finds it fresh and no lock is held on the files.
// When the cached one is already leased (a nested use), the lease has a statement of its own.
class CachedStatement {
public:
    explicit CachedStatement(std::shared_ptr<StatementSlot> slot);
    explicit CachedStatement(Statement own);
    ~CachedStatement();
    CachedStatement(CachedStatement&& other) noexcept = default;
    CachedStatement(const CachedStatement&) = delete;
    CachedStatement& operator=(const CachedStatement&) = delete;
    CachedStatement& operator=(CachedStatement&&) = delete;

    Statement& operator*() { return slot_->statement; }
    Statement* operator->() { return &slot_->statement; }

private:
    std::shared_ptr<StatementSlot> slot_;
};

// One connection to SQLite; table files are attached to it under names of their own, so
// writes to several files can share one transaction.
//
// A transaction over several files is atomic on disk only when the connection's main
// database is a real file: SQLite then writes a super-journal beside it that ties the files'
// journals together, and a kill or power cut between the files' commits rolls all of them
// back or none. So the main database of a connection that writes is an empty file, named
// kCommitFileName, in the folder of the first table file attached (the application
// directory); it holds nothing and is removed when the connection closes. A super-journal a
// kill left there is removed when no journal it lists is left. Where that folder
// cannot take the file, the main database stays in memory (nothing can be written there
// anyway). A connection that only reads (the query object's) keeps its main database in memory.
class Connection {
public:
    enum class Main { BesideTables, InMemory };
    static constexpr auto kCommitFileName = ".hoardly-commit";

    explicit Connection(Main main = Main::BesideTables);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    void exec(const QString& sql);
    Statement prepare(const QString& sql) const { return Statement(db_, sql); }
    // The statement prepared once on this connection and kept for the next use.
    CachedStatement cached(const QString& sql);
    qint64 lastInsertRowId() const;
    // The rows the last INSERT, UPDATE or DELETE changed.
    int changes() const;
    // The main database's file; empty while it is in memory.
    QString mainFile() const;

    // Attaches an existing file; never creates one. Throws StoreError with a clear text.
    void attach(const QString& filePath, const QString& alias, bool readOnly = false);
    void detach(const QString& alias);
    bool inTransaction() const;
    // A number that moves at every change committed to the attached file, by this connection or
    // another; 0 when the file cannot tell. A list kept of a table's records is good while
    // the number stands.
    quint32 dataVersion(const QString& alias);

private:
    void openMain(const QString& folder);
    void closeMain();
    void requireNamedFields();
    void homeBeside(const QString& filePath);
    void dropCachedOf(const QString& alias);

    Main main_;
    sqlite3* db_ = nullptr;
    QString home_;     // the folder the main database was last placed in
    QString mainPath_; // empty while in memory
    int attached_ = 0;
    QHash<QString, std::shared_ptr<StatementSlot>> cache_;
};

// Groups writes on one connection; rolls back unless committed. Nests: only the outermost
// transaction begins and commits. It begins deferred, so only the files actually written
// take part in the commit (and a super-journal is written only when there are several).
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& connection_;
    bool outermost_ = false;
    bool done_ = false;
};

// Registers the functions every connection of ours has: UPPER and LOWER for all letters.
void registerTextFunctions(sqlite3* db);

// Opens a file as its own database connection (the starter generator and tests use this).
class FileDatabase {
public:
    FileDatabase(const QString& filePath, bool create);
    ~FileDatabase();
    FileDatabase(const FileDatabase&) = delete;
    FileDatabase& operator=(const FileDatabase&) = delete;
    void exec(const QString& sql);
    Statement prepare(const QString& sql) const { return Statement(db_, sql); }

private:
    sqlite3* db_ = nullptr;
};

} // namespace hoardly
