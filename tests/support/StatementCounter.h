#pragma once

#include <sqlite3.h>

namespace hoardly::test {

// Counts the statements the engine starts on a connection while it lives.
class StatementCounter {
public:
    explicit StatementCounter(sqlite3* db) : db_(db) {
        sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &StatementCounter::onStatement, this);
    }
    ~StatementCounter() { sqlite3_trace_v2(db_, 0, nullptr, nullptr); }
    StatementCounter(const StatementCounter&) = delete;
    StatementCounter& operator=(const StatementCounter&) = delete;
    int count = 0;

private:
    static int onStatement(unsigned, void* context, void*, void*) {
        ++static_cast<StatementCounter*>(context)->count;
        return 0;
    }
    sqlite3* db_;
};

} // namespace hoardly::test
