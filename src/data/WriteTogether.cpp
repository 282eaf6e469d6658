#include "WriteTogether.h"

#include "Errors.h"
#include "Sqlite.h"
#include "Table.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

// After a rollback the table object still holds the half-done work in its key list and edit
// buffer; bring it back to what the file says, at the record it showed before.
void reread(Table& table, int position) noexcept {
    try {
        table.cancel();
        if (!table.isOpen())
            return;
        table.refresh();
        table.moveTo(position);
    } catch (const StoreError&) {
        // The first failure is the one the user sees.
    }
}

} // namespace

void writeTogether(const QList<Table*>& tables, const std::function<void()>& writes) {
    if (tables.empty())
        return;
    Connection& connection = tables.front()->connection();
    std::vector<int> positions;
    for (Table* table : tables) {
        if (&table->connection() != &connection)
            throw StoreError(u"The tables %1 and %2 cannot be written together."_s.arg(
                tables.front()->schema().fileName, table->schema().fileName));
        table->open();
        positions.push_back(table->position());
    }
    try {
        Transaction transaction(connection);
        writes();
        transaction.commit();
    } catch (...) {
        size_t i = 0;
        for (Table* table : tables)
            reread(*table, positions[i++]);
        throw;
    }
}

} // namespace hoardly
