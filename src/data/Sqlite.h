#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

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
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

// One connection to SQLite. Its main database is in memory; table files are attached to it
// under names of their own, so writes to several files can share one transaction.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    void exec(const QString& sql);
    Statement prepare(const QString& sql) const { return Statement(db_, sql); }
    qint64 lastInsertRowId() const;

    // Attaches an existing file; never creates one. Throws StoreError with a clear text.
    void attach(const QString& filePath, const QString& alias, bool readOnly = false);
    void detach(const QString& alias);
    bool inTransaction() const;

private:
    sqlite3* db_ = nullptr;
};

// Groups writes on one connection; rolls back unless committed. Nests: only the outermost
// transaction begins and commits.
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
