#include "PrefixRead.h"

#include "Collation.h"
#include "Errors.h"
#include "Schema.h"
#include "Sqlite.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr int kSlice = 20000;

int positionIn(const std::vector<std::pair<qint64, int>>& positionByKey, qint64 key) {
    const auto found = std::lower_bound(positionByKey.begin(), positionByKey.end(),
                                        std::pair<qint64, int>{key, -1});
    return (found != positionByKey.end() && found->first == key) ? found->second : -1;
}

// Each key with its place in the order, sorted by key, for finding a key's place.
std::vector<std::pair<qint64, int>> positionsSortedByKey(const std::vector<qint64>& keys) {
    std::vector<std::pair<qint64, int>> positions;
    positions.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        positions.emplace_back(keys[i], int(i));
    std::sort(positions.begin(), positions.end());
    return positions;
}

} // namespace

PrefixReadResult readPrefixTexts(const PrefixReadRequest& request,
                                 const std::atomic_bool& cancelled) {
    PrefixReadResult result;
    try {
        Connection connection(Connection::Main::InMemory);
        connection.attach(request.filePath, u"t"_s, true);
        const QString from = u"t."_s + quoteIdentifier(request.tableName);
        const bool positioned = !request.positionByKey.empty();
        if (positioned) {
            result.texts.reset(request.positionByKey.size());
        } else {
            Statement count = connection.prepare(u"SELECT count(*) FROM "_s + from);
            count.step();
            result.texts.reset(size_t(count.int64(0)));
            result.keys.reserve(size_t(count.int64(0)));
        }
        Statement slice =
            connection.prepare(u"SELECT rowid, "_s + quoteIdentifier(request.fieldName) +
                               u" FROM "_s + from + u" WHERE rowid > ?1 ORDER BY rowid LIMIT ?2"_s);
        qint64 last = std::numeric_limits<qint64>::min();
        for (bool more = true; more;) {
            if (cancelled) {
                result.error = u"cancelled"_s;
                return result;
            }
            slice.bind(1, last).bind(2, kSlice);
            int read = 0;
            while (slice.step()) {
                last = slice.int64(0);
                const int position =
                    positioned ? positionIn(request.positionByKey, last) : int(result.keys.size());
                if (!positioned)
                    result.keys.push_back(last);
                if (position >= 0)
                    result.texts.set(size_t(position), slice.text(1));
                ++read;
            }
            slice.reset();
            more = read == kSlice;
        }
        if (!positioned && result.keys.size() != result.texts.size())
            result.error = u"the table changed while it was read"_s;
        if (!positioned) {
            // Read by key, the keys come sorted: their positions are their places.
            result.positionByKey.reserve(result.keys.size());
            for (size_t i = 0; i < result.keys.size(); ++i)
                result.positionByKey.emplace_back(result.keys[i], int(i));
        }
    } catch (const StoreError& error) {
        result.error = error.text();
    }
    return result;
}

OrderReadResult readOrderForPeople(const OrderReadRequest& request,
                                   const std::atomic_bool& cancelled) {
    OrderReadResult result;
    try {
        Connection connection(Connection::Main::InMemory);
        connection.attach(request.filePath, u"t"_s, true);
        const QString field = quoteIdentifier(request.fieldName);
        Statement select = connection.prepare(u"SELECT rowid, "_s + field + u" FROM t."_s +
                                              quoteIdentifier(request.tableName) + u" ORDER BY "_s +
                                              field + u" COLLATE NOCASE, rowid"_s);
        std::vector<std::pair<qint64, QString>> rows;
        while (select.step())
            rows.emplace_back(select.int64(0), select.text(1));
        select.reset();
        if (cancelled) {
            result.error = u"cancelled"_s;
            return result;
        }
        result.keys = keysOrderedForPeople(std::move(rows), request.locale);
        result.positionByKey = positionsSortedByKey(result.keys);
    } catch (const StoreError& error) {
        result.error = error.text();
    }
    return result;
}

OrderReadResult readKeysInOrder(const KeyReadRequest& request, const std::atomic_bool& cancelled) {
    OrderReadResult result;
    try {
        Connection connection(Connection::Main::InMemory);
        connection.attach(request.filePath, u"t"_s, true);
        Statement select = connection.prepare(
            u"SELECT rowid FROM t."_s + quoteIdentifier(request.tableName) + request.orderClause);
        while (select.step())
            result.keys.push_back(select.int64(0));
        select.reset();
        if (cancelled) {
            result.error = u"cancelled"_s;
            return result;
        }
        result.positionByKey = positionsSortedByKey(result.keys);
    } catch (const StoreError& error) {
        result.error = error.text();
    }
    return result;
}

} // namespace hoardly
