#include "PrefixRead.h"

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

} // namespace hoardly
