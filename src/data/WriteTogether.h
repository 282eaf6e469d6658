#pragma once

#include <QList>
#include <functional>

namespace hoardly {

class Table;

// Runs writes to several tables as one transaction of their shared connection: on disk all
// of them land or none, also across a kill or a power cut between the files' commits (see
// Connection). Tables that are closed are opened first, since a file cannot be attached
// inside a transaction. When anything fails, the transaction is rolled back and every table
// object is brought back to what its file holds, at the record it showed before, so no window
// shows a half-done write; then the error goes on to the caller. Nests: inside another
// writeTogether the writes simply join the outer transaction.
void writeTogether(const QList<Table*>& tables, const std::function<void()>& writes);

} // namespace hoardly
