#include "Table.h"

#include "BackgroundWork.h"
#include "Collation.h"
#include "Dates.h"
#include "Errors.h"
#include "Sqlite.h"

#include <QDir>
#include <algorithm>
#include <atomic>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

QString nextAlias(const QString& objectName) {
    static std::atomic<int> counter{0};
    return u"t_"_s + objectName + u'_' + QString::number(++counter);
}

// A field of fewer records than this is read for the find box at once, within a frame.
std::atomic<int> backgroundReadsFrom{Table::kBackgroundReadsFrom};

FieldType typeFromDeclaration(const QString& declared) {
    return declared.contains(u"INT"_s, Qt::CaseInsensitive) ? FieldType::Integer : FieldType::Text;
}

} // namespace

Table::Table(Connection& connection, const TableSchema& schema, QObject* parent)
    : QObject(parent), connection_(connection), schema_(schema),
      alias_(nextAlias(schema.objectName)), rowCache_(512),
      prefixRead_(new QFutureWatcher<PrefixReadResult>(this)),
      orderRead_(new QFutureWatcher<OrderReadResult>(this)) {
    keysRead_ = new QFutureWatcher<OrderReadResult>(this);
    setObjectName(schema.objectName);
    connect(prefixRead_, &QFutureWatcherBase::finished, this, &Table::adoptPrefixRead);
    connect(orderRead_, &QFutureWatcherBase::finished, this, &Table::adoptOrderRead);
    connect(keysRead_, &QFutureWatcherBase::finished, this, &Table::adoptKeysRead);
}

Table::~Table() {
    cancelPrefixRead();
    if (keysReadCancel_)
        *keysReadCancel_ = true;
    if (orderReadCancel_)
        *orderReadCancel_ = true;
    try {
        close();
    } catch (const StoreError&) {
    }
}

void Table::setDirectory(const QString& directory) {
    if (open_)
        throw StoreError(
            u"Cannot change the directory of the open table %1."_s.arg(schema_.fileName));
    directory_ = directory;
}

QString Table::filePath() const {
    return QDir(directory_).filePath(schema_.fileName);
}

void Table::requireOpen() const {
    if (!open_)
        throw StoreError(u"The table %1 is not open."_s.arg(schema_.fileName));
}

// --- opening and closing ----------------------------------------------------------------

void Table::open() {
    if (open_)
        return;
    connection_.attach(filePath(), alias_);
    try {
        readColumns();
        open_ = true;
        selectIndex(indexName_);
    } catch (const StoreError&) {
        open_ = false;
        columns_.clear();
        connection_.detach(alias_);
        throw;
    }
    notifyState();
}

void Table::close() {
    if (!open_)
        return;
    cancelPrefixRead();
    prefixWaitingField_ = -1;
    if (orderReadCancel_)
        *orderReadCancel_ = true;
    orderReadIndex_.clear();
    preparedIndex_.clear();
    state_ = TableState::Browse;
    buffer_.clear();
    open_ = false;
    keysLoaded_ = false;
    synced_ = false;
    if (keysReadCancel_)
        *keysReadCancel_ = true;
    keysComing_ = false;
    keys_.clear();
    positionByKey_.clear();
    current_.clear();
    position_ = -1;
    bof_ = eof_ = true;
    dropCaches();
    connection_.detach(alias_);
    notifyState();
    notifyRecords();
    notifyCurrent();
}

void Table::readColumns() {
    Statement exists = connection_.prepare(u"SELECT count(*) FROM "_s + alias_ +
                                           u".sqlite_master WHERE type = 'table' AND name = ?1"_s);
    exists.bind(1, schema_.tableName);
    if (!exists.step() || exists.int64(0) == 0)
        throw StoreError(u"The file %1 holds no table %2."_s.arg(
            QDir::toNativeSeparators(filePath()), schema_.tableName));
    exists.reset();

    columns_.clear();
    keyColumn_ = -1;
    Statement info = connection_.prepare(u"PRAGMA "_s + alias_ + u".table_info("_s +
                                         quoteIdentifier(schema_.tableName) + u')');
    while (info.step()) {
        Column column;
        column.name = info.text(1);
        const int known = schema_.fieldIndex(column.name);
        if (known >= 0) {
            column.name = schema_.fields[known].name;
            column.type = schema_.fields[known].type;
            column.size = schema_.fields[known].size;
        } else {
            column.type = typeFromDeclaration(info.text(2));
        }
        if (info.int64(5) == 1) {
            column.type = FieldType::AutoIncrement;
            keyColumn_ = int(columns_.size());
        }
        columns_.push_back(column);
    }
}

QString Table::from() const {
    return alias_ + u'.' + quoteIdentifier(schema_.tableName);
}

QString Table::fieldList(bool withPictures) const {
    QStringList names;
    for (const Column& column : columns_) {
        names << (withPictures || column.type != FieldType::Picture ? quoteIdentifier(column.name)
                                                                    : u"NULL"_s);
    }
    return names.join(u", "_s);
}

bool Table::hasPictures() const {
    return std::any_of(columns_.begin(), columns_.end(),
                       [](const Column& column) { return column.type == FieldType::Picture; });
}

QString Table::orderClause() const {
    if (!index_ || index_->primary)
        return u" ORDER BY rowid"_s;
    QStringList parts;
    for (const QString& field : index_->fields)
        parts << quoteIdentifier(field) +
                     (index_->caseInsensitive ? u" COLLATE NOCASE"_s : QString());
    return u" ORDER BY "_s + parts.join(u", "_s) + u", rowid"_s;
}

// --- order and movement -----------------------------------------------------------------

void Table::selectIndex(const QString& name) {
    const IndexDef* def = nullptr;
    if (!name.isEmpty()) {
        def = schema_.index(name);
        if (!def)
            throw StoreError(u"The table %1 has no index %2."_s.arg(schema_.fileName, name));
    }
    if (open_ && def && !def->primary) {
        Statement exists = connection_.prepare(
            u"SELECT count(*) FROM "_s + alias_ +
            u".sqlite_master WHERE type = 'index' AND name = ?1 COLLATE NOCASE"_s);
        exists.bind(1, def->name);
        if (!exists.step() || exists.int64(0) == 0)
            throw StoreError(u"The index %1 is missing from the table file %2."_s.arg(
                def->name, schema_.fileName));
    }
    indexName_ = def ? def->name : QString();
    index_ = def;
    if (!open_)
        return;
    checkBrowseMode();
    if (keysOnDemand_) {
        dropCaches();
        keysLoaded_ = false;
        keys_.clear();
        positionByKey_.clear();
        setPosition(-1);
    } else {
        if (!takePreparedOrder())
            loadKeys();
        setPosition(keys_.empty() ? -1 : 0);
    }
    bof_ = true;
    eof_ = keys_.empty();
    notifyRecords();
    notifyCurrent();
}

bool Table::prepareOrder(const QString& name) {
    requireOpen();
    const IndexDef* def = name.isEmpty() ? nullptr : schema_.index(name);
    const bool forPeople = def && !def->primary && def->caseInsensitive && def->fields.size() == 1;
    if (!forPeople || estimatedRecordCount() < backgroundReadsFrom)
        return true;
    if (preparedIndex_ == def->name && preparedGeneration_ == generation_)
        return true;
    if (orderRead_->isRunning() && orderReadIndex_ == def->name &&
        orderReadGeneration_ == generation_)
        return false;
    if (orderReadCancel_)
        *orderReadCancel_ = true;
    OrderReadRequest request{filePath(), schema_.tableName, def->fields.first(), collationLocale()};
    orderReadIndex_ = def->name;
    orderReadGeneration_ = generation_;
    orderReadVersion_ = dataVersion();
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    orderReadCancel_ = cancelled;
    startInPool(*orderRead_,
                [request, cancelled] { return readOrderForPeople(request, *cancelled); });
    return false;
}

void Table::adoptOrderRead() {
    QFuture<OrderReadResult> future = orderRead_->future();
    if (future.resultCount() == 0 || orderReadIndex_.isEmpty())
        return;
    OrderReadResult read = future.takeResult();
    const QString index = std::exchange(orderReadIndex_, QString());
    if (!open_)
        return;
    if (read.error.isEmpty() && orderReadGeneration_ != generation_) {
        prepareOrder(index); // the records changed meanwhile: order them again
        return;
    }
    if (read.error.isEmpty()) {
        preparedIndex_ = index;
        preparedGeneration_ = generation_;
        preparedVersion_ = orderReadVersion_;
        prepared_ = std::move(read);
    }
    // A failed read leaves the order to be read at once when the index is selected.
    emit orderPrepared();
}

// The order read in the background, when it is the one selected and still good.
bool Table::takePreparedOrder() {
    if (preparedIndex_.isEmpty() || preparedIndex_ != indexName_ ||
        preparedGeneration_ != generation_) {
        return false;
    }
    preparedIndex_.clear();
    dropCaches();
    keys_ = std::move(prepared_.keys);
    positionByKey_ = std::move(prepared_.positionByKey);
    keysLoaded_ = true;
    markSynced(preparedVersion_);
    return true;
}

bool Table::ordersForPeople() const {
    return index_ && !index_->primary && index_->caseInsensitive && index_->fields.size() == 1;
}

void Table::loadKeys() {
    dropCaches();
    keysLoaded_ = true;
    keys_.clear();
    keys_.reserve(positionByKey_.size());
    if (ordersForPeople()) {
        // The file's index ignores the case of A to Z only; its order is the near-sorted start
        // from which the names or titles are put into their order for people.
        CachedStatement select =
            statement(u"SELECT rowid, "_s + quoteIdentifier(index_->fields.first()) + u" FROM "_s +
                      from() + orderClause());
        std::vector<std::pair<qint64, QString>> rows;
        rows.reserve(positionByKey_.size());
        while (select->step())
            rows.emplace_back(select->int64(0), select->text(1));
        keys_ = keysOrderedForPeople(std::move(rows));
    } else if (startKeysInBackground()) {
        return;
    } else {
        readKeysInEngineOrder();
    }
    indexKeys();
    markSynced();
}

void Table::readKeysInEngineOrder(int limit) {
    CachedStatement select =
        statement(u"SELECT rowid FROM "_s + from() + orderClause() + u" LIMIT ?1"_s);
    select->bind(1, limit);
    while (select->step())
        keys_.push_back(select->int64(0));
}

bool Table::startKeysInBackground() {
    if (keysOnDemand_ || connection_.inTransaction())
        return false;
    CachedStatement count = statement(u"SELECT count(*) FROM "_s + from());
    count->step();
    const int records = int(count->int64(0));
    count->reset();
    if (records < backgroundReadsFrom)
        return false;
    comingCount_ = records;
    // The first rows are what a list shows at once; a key past them waits for the others.
    constexpr int kFirstKeys = 256;
    readKeysInEngineOrder(kFirstKeys);
    positionByKey_.clear();
    keysComing_ = true;
    keysReadGeneration_ = generation_;
    keysReadVersion_ = dataVersion();
    synced_ = false;
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    keysReadCancel_ = cancelled;
    KeyReadRequest request{filePath(), schema_.tableName, orderClause()};
    startInPool(*keysRead_, [request, cancelled] { return readKeysInOrder(request, *cancelled); });
    return true;
}

void Table::completeKeys() const {
    if (!keysComing_)
        return;
    // The table object itself is never const; only the reading of its keys is put off.
    keysRead_->waitForFinished();
    const_cast<Table*>(this)->adoptKeysRead();
}

void Table::adoptKeysRead() {
    takeKeysRead();
    // A find box read asked for while the keys came starts now that they are in (or that a
    // list read at once took their place).
    if (prefixWaitingField_ >= 0 && open_ && !keysComing_)
        startPrefixRead(prefixWaitingField_);
}

void Table::takeKeysRead() {
    if (!keysComing_)
        return; // taken already, or let go
    QFuture<OrderReadResult> future = keysRead_->future();
    keysComing_ = false;
    keysReadCancel_.reset();
    OrderReadResult read = future.resultCount() > 0 ? future.takeResult() : OrderReadResult{};
    const bool whole = read.error.isEmpty() && keysReadGeneration_ == generation_ &&
                       int(read.keys.size()) == comingCount_ &&
                       std::equal(keys_.begin(), keys_.end(), read.keys.begin());
    if (!whole) {
        // Read at once what did not come whole; the first rows stand where they stood.
        const qint64 current = position_ >= 0 ? keys_[size_t(position_)] : -1;
        keys_.clear();
        readKeysInEngineOrder();
        indexKeys();
        markSynced();
        if (position_ >= 0)
            position_ = std::max(0, std::min(positionOfKey(current), int(keys_.size()) - 1));
        return;
    }
    keys_ = std::move(read.keys);
    positionByKey_ = std::move(read.positionByKey);
    markSynced(keysReadVersion_);
}

void Table::needKeys() const {
    completeKeys();
    // The table object itself is never const; only the reading of its keys is put off.
    if (open_ && !keysLoaded_)
        const_cast<Table*>(this)->loadKeys();
}

// After a write that may have changed the set or order of the records: the keys are read
// again now, or at the next move when they are read on demand.
void Table::keysChanged() {
    if (keysOnDemand_ && position_ < 0) {
        dropCaches();
        keysLoaded_ = false;
        synced_ = false;
        keys_.clear();
        positionByKey_.clear();
    } else {
        loadKeys();
    }
}

void Table::indexKeys() {
    // Sorted pairs cost two numbers a record, however large the keys are (a key of 2^40
    // written by another tool would otherwise ask for terabytes). In key order they come
    // sorted already.
    positionByKey_.resize(keys_.size());
    for (size_t i = 0; i < keys_.size(); ++i)
        positionByKey_[i] = {keys_[i], int(i)};
    if (!std::is_sorted(positionByKey_.begin(), positionByKey_.end()))
        std::sort(positionByKey_.begin(), positionByKey_.end());
}

quint32 Table::dataVersion() {
    return connection_.dataVersion(alias_);
}

void Table::markSynced() {
    markSynced(dataVersion());
}

// What a transaction wrote may yet be rolled back, and a rollback leaves the version as it
// was: keys read within one are read again afterwards. So is an order for people after the
// collation changed.
void Table::markSynced(quint32 version) {
    synced_ = version != 0 && !connection_.inTransaction();
    syncedVersion_ = version;
    syncedCollation_ = collationGeneration();
}

bool Table::fileAsKnown() {
    return keysLoaded_ && synced_ && syncedCollation_ == collationGeneration() &&
           dataVersion() == syncedVersion_;
}

QString Table::storedText(qint64 key, int field) const {
    CachedStatement select = statement(u"SELECT "_s + quoteIdentifier(fieldName(field)) +
                                       u" FROM "_s + from() + u" WHERE rowid = ?1"_s);
    select->bind(1, key);
    return select->step() ? select->text(0) : QString();
}

// The text the find box compares: as the file holds it for text, in the program's words for
// dates and flags.
QString Table::shownText(qint64 key, int field) const {
    if (columns_[size_t(field)].type == FieldType::Text)
        return storedText(key, field);
    return textOf(field, fetchRow(key, false).value(field));
}

// Whether the listed record stands before the record with this key (whose text of the index
// field, in an order for people, is keyText).
bool Table::sortsBefore(qint64 listed, qint64 key, const QString& keyText) {
    if (!index_ || index_->primary)
        return listed < key;
    if (ordersForPeople()) {
        const int field = fieldIndex(index_->fields.first());
        return keyedBeforeForPeople(listed, storedText(listed, field), key, keyText);
    }
    // The engine orders the two as it orders the whole table.
    CachedStatement first =
        statement(u"SELECT rowid FROM "_s + from() + u" WHERE rowid IN (?1, ?2)"_s + orderClause() +
                  u" LIMIT 1"_s);
    first->bind(1, listed).bind(2, key);
    return first->step() && first->int64(0) == listed;
}

int Table::placeFor(qint64 key) {
    const QString keyText =
        ordersForPeople() ? storedText(key, fieldIndex(index_->fields.first())) : QString();
    int low = 0;
    int high = int(keys_.size());
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (sortsBefore(keys_[size_t(middle)], key, keyText))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void Table::takeOutKey(int position) {
    const qint64 key = keys_[size_t(position)];
    keys_.erase(keys_.begin() + position);
    const auto found = std::lower_bound(positionByKey_.begin(), positionByKey_.end(),
                                        std::pair<qint64, int>{key, -1});
    if (found != positionByKey_.end() && found->first == key)
        positionByKey_.erase(found);
    for (auto& [listed, place] : positionByKey_) {
        if (place > position)
            --place;
    }
    if (prefixField_ >= 0)
        prefixTexts_.erase(size_t(position));
}

void Table::putInKey(qint64 key, int position) {
    keys_.insert(keys_.begin() + position, key);
    for (auto& [listed, place] : positionByKey_) {
        if (place >= position)
            ++place;
    }
    positionByKey_.insert(std::lower_bound(positionByKey_.begin(), positionByKey_.end(),
                                           std::pair<qint64, int>{key, -1}),
                          {key, position});
    if (prefixField_ >= 0)
        prefixTexts_.insert(size_t(position), shownText(key, prefixField_));
}

// After this table alone wrote one record (oldPosition -1: a new one) to a file whose records
// the list of keys knew: the record's key moves to its place, and what was read of the others
// stays good.
void Table::followOwnWrite(qint64 key, int oldPosition, bool reorder) {
    ++generation_; // a background read started before the write is out of date
    rowCache_.remove(key);
    if (oldPosition < 0 || reorder) {
        if (oldPosition >= 0)
            takeOutKey(oldPosition);
        putInKey(key, placeFor(key));
    } else if (prefixField_ >= 0) {
        prefixTexts_.set(size_t(oldPosition), shownText(key, prefixField_));
    }
    markSynced();
}

CachedStatement Table::statement(const QString& sql) const {
    return connection_.cached(sql);
}

void Table::dropCaches() {
    // Every caller puts a new list of keys in place: one still being read is not wanted.
    if (std::exchange(keysComing_, false) && keysReadCancel_)
        *keysReadCancel_ = true;
    ++generation_;
    rowCache_.clear();
    prefixField_ = -1;
    prefixTexts_.clear();
}

QVector<QVariant> Table::fetchRow(qint64 key, bool withPictures) const {
    CachedStatement select = statement(u"SELECT "_s + fieldList(withPictures) + u" FROM "_s +
                                       from() + u" WHERE rowid = ?1"_s);
    select->bind(1, key);
    QVector<QVariant> row(int(columns_.size()));
    if (select->step()) {
        for (int i = 0; i < row.size(); ++i)
            row[i] = select->value(i);
    }
    return row;
}

void Table::readPictures(qint64 key, QVector<QVariant>& row) const {
    QStringList names;
    QList<int> fields;
    for (int i = 0; i < int(columns_.size()); ++i) {
        if (columns_[size_t(i)].type == FieldType::Picture) {
            names << quoteIdentifier(columns_[size_t(i)].name);
            fields << i;
        }
    }
    CachedStatement select = statement(u"SELECT "_s + names.join(u", "_s) + u" FROM "_s + from() +
                                       u" WHERE rowid = ?1"_s);
    select->bind(1, key);
    if (select->step()) {
        for (int i = 0; i < fields.size(); ++i)
            row[fields[i]] = select->value(i);
    }
}

void Table::loadCurrent() {
    if (position_ < 0 || position_ >= int(keys_.size())) {
        current_ = QVector<QVariant>(int(columns_.size()));
        return;
    }
    const qint64 key = keys_[size_t(position_)];
    if (const QVector<QVariant>* cached = rowCache_.object(key)) {
        current_ = *cached;
        if (hasPictures())
            readPictures(key, current_);
    } else {
        current_ = fetchRow(key);
    }
}

void Table::setPosition(int position) {
    position_ = position;
    loadCurrent();
}

int Table::positionOfKey(qint64 key) const {
    needKeys();
    const auto found = std::lower_bound(positionByKey_.begin(), positionByKey_.end(),
                                        std::pair<qint64, int>{key, -1});
    return (found != positionByKey_.end() && found->first == key) ? found->second : -1;
}

void Table::checkBrowseMode() {
    if (state_ == TableState::Browse)
        return;
    // A new record nobody wrote into is dropped rather than stored as an empty row (a grid's
    // "add" followed by a click elsewhere).
    if (state_ == TableState::Insert && !modified_.contains(true))
        cancel();
    else
        post();
}

void Table::first() {
    requireOpen();
    if (!keysComing_)
        needKeys(); // the first key is there already
    checkBrowseMode();
    setPosition(keys_.empty() ? -1 : 0);
    bof_ = true;
    eof_ = keys_.empty();
    notifyCurrent();
}

void Table::last() {
    requireOpen();
    needKeys();
    checkBrowseMode();
    setPosition(int(keys_.size()) - 1);
    eof_ = true;
    bof_ = keys_.empty();
    notifyCurrent();
}

void Table::next() {
    requireOpen();
    needKeys();
    checkBrowseMode();
    if (position_ + 1 >= int(keys_.size())) {
        eof_ = true;
        return;
    }
    setPosition(position_ + 1);
    bof_ = eof_ = false;
    notifyCurrent();
}

void Table::prior() {
    requireOpen();
    needKeys();
    checkBrowseMode();
    if (position_ <= 0) {
        bof_ = true;
        return;
    }
    setPosition(position_ - 1);
    bof_ = eof_ = false;
    notifyCurrent();
}

void Table::moveTo(int position) {
    requireOpen();
    needKeys();
    if (position < 0 || position >= int(keys_.size()))
        return;
    if (position == position_ && state_ == TableState::Browse)
        return;
    checkBrowseMode();
    setPosition(position);
    bof_ = eof_ = false;
    notifyCurrent();
}

bool Table::isEmpty() const {
    requireOpen();
    if (!keysLoaded_)
        return !statement(u"SELECT 1 FROM "_s + from() + u" LIMIT 1"_s)->step();
    return keys_.empty();
}

int Table::recordCount() const {
    if (keysComing_)
        return comingCount_;
    needKeys();
    return open_ ? int(keys_.size()) : 0;
}

// --- searching ----------------------------------------------------------------------------

bool Table::locate(const QString& fields, const QVariantList& values) {
    requireOpen();
    const QStringList names = fields.split(u';', Qt::SkipEmptyParts);
    if (names.isEmpty() || names.size() != values.size())
        throw StoreError(u"Locate on %1 needs one value for each of the fields \"%2\"."_s.arg(
            schema_.fileName, fields));
    QStringList conditions;
    QVariantList bound;
    for (int i = 0; i < names.size(); ++i) {
        const int field = fieldIndex(names[i].trimmed());
        conditions << quoteIdentifier(fieldName(field)) + u" IS ?"_s;
        bound << comparable(field, values[i]);
    }
    checkBrowseMode();
    int position = -1;
    if (ordersForPeople()) {
        // The first match in the order for people, which only the keys know.
        CachedStatement select = statement(u"SELECT rowid FROM "_s + from() + u" WHERE "_s +
                                           conditions.join(u" AND "_s));
        select->bindAll(bound);
        while (select->step()) {
            const int found = positionOfKey(select->int64(0));
            if (found >= 0 && (position < 0 || found < position))
                position = found;
        }
    } else {
        CachedStatement select =
            statement(u"SELECT rowid FROM "_s + from() + u" WHERE "_s +
                      conditions.join(u" AND "_s) + orderClause() + u" LIMIT 1"_s);
        select->bindAll(bound);
        if (select->step())
            position = positionOfKey(select->int64(0));
    }
    if (position < 0)
        return false;
    setPosition(position);
    bof_ = eof_ = false;
    notifyCurrent();
    return true;
}

void Table::buildPrefixTexts(int field) {
    needKeys();
    // One read of the field in storage order (the fastest a file can be read) serves every key
    // typed after it; each text lands at its record's place in the current order.
    prefixTexts_.reset(keys_.size());
    Statement select = connection_.prepare(u"SELECT rowid, "_s + quoteIdentifier(fieldName(field)) +
                                           u" FROM "_s + from());
    const bool plainText = columns_[size_t(field)].type == FieldType::Text;
    while (select.step()) {
        const int position = positionOfKey(select.int64(0));
        if (position >= 0)
            prefixTexts_.set(size_t(position),
                             plainText ? select.text(1) : textOf(field, select.value(1)));
    }
    prefixField_ = field;
}

void Table::setBackgroundReadsFrom(int records) {
    backgroundReadsFrom = records;
}

bool Table::prefixTextsReady(const QString& field) const {
    return open_ && prefixField_ == fieldIndex(field);
}

bool Table::preparePrefixLocate(const QString& field) {
    requireOpen();
    const int column = fieldIndex(field);
    if (prefixField_ == column)
        return true;
    // Texts and numbers read the same through the engine as through textOf; dates and flags
    // are shown in the program's own words, so they are read here.
    const FieldType type = columns_[size_t(column)].type;
    const bool readAsStored =
        type == FieldType::Text || type == FieldType::Integer || type == FieldType::AutoIncrement;
    if (!readAsStored || estimatedRecordCount() < backgroundReadsFrom) {
        buildPrefixTexts(column);
        return true;
    }
    if (keysComing_) {
        // The texts are placed by the keys: their read starts when the keys are in, so the
        // window need not wait for them here.
        prefixWaitingField_ = column;
        return false;
    }
    const bool reading = prefixRead_->isRunning() && prefixReadField_ == column &&
                         prefixReadGeneration_ == generation_;
    if (!reading)
        startPrefixRead(column);
    return false;
}

int Table::estimatedRecordCount() const {
    if (keysComing_)
        return comingCount_;
    if (keysLoaded_)
        return int(keys_.size());
    // Without the keys, the highest key tells the size well enough, and at once.
    CachedStatement select = statement(u"SELECT max(rowid) FROM "_s + from());
    return select->step() ? int(std::min<qint64>(select->int64(0), std::numeric_limits<int>::max()))
                          : 0;
}

void Table::startPrefixRead(int field) {
    prefixWaitingField_ = -1;
    cancelPrefixRead();
    completeKeys();
    // Keys not read yet come with the texts, in the file's order; in any other order the
    // texts are placed by the keys, which are read first.
    if (!keysLoaded_ && orderClause() != u" ORDER BY rowid"_s)
        needKeys();
    PrefixReadRequest request{filePath(), schema_.tableName, fieldName(field), {}};
    prefixReadGivesKeys_ = !keysLoaded_;
    if (prefixReadGivesKeys_)
        prefixReadVersion_ = dataVersion();
    if (keysLoaded_)
        request.positionByKey = positionByKey_;
    prefixReadField_ = field;
    prefixReadGeneration_ = generation_;
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    prefixReadCancel_ = cancelled;
    startInPool(*prefixRead_,
                [request, cancelled] { return readPrefixTexts(request, *cancelled); });
}

void Table::cancelPrefixRead() {
    if (prefixReadCancel_)
        *prefixReadCancel_ = true;
    prefixReadCancel_.reset();
}

void Table::adoptPrefixRead() {
    QFuture<PrefixReadResult> future = prefixRead_->future();
    if (future.resultCount() == 0 || prefixReadField_ < 0)
        return;
    PrefixReadResult read = future.takeResult();
    const int field = std::exchange(prefixReadField_, -1);
    if (!open_)
        return;
    if (read.error.isEmpty() && prefixReadGeneration_ != generation_) {
        // The records changed while they were read: read them again.
        startPrefixRead(field);
        return;
    }
    if (read.error.isEmpty()) {
        if (prefixReadGivesKeys_) {
            keys_ = std::move(read.keys);
            positionByKey_ = std::move(read.positionByKey);
            keysLoaded_ = true;
            markSynced(prefixReadVersion_);
        }
        prefixTexts_ = std::move(read.texts);
        prefixField_ = field;
    }
    // A failed read leaves the texts to be read at once by the find that waits for them.
    emit prefixTextsRead();
}

bool Table::locatePrefix(const QString& field, const QString& prefix) {
    requireOpen();
    const int column = fieldIndex(field);
    checkBrowseMode();
    if (prefixField_ != column)
        buildPrefixTexts(column);
    const int found = prefixTexts_.firstStartingWith(prefix);
    if (found >= 0) {
        setPosition(found);
        bof_ = eof_ = false;
        notifyCurrent();
        return true;
    }
    return false;
}

void Table::findNearest(const QVariant& value) {
    requireOpen();
    needKeys();
    checkBrowseMode();
    if (keys_.empty())
        return;
    const QString field =
        (index_ && !index_->primary) ? index_->fields.first() : fieldName(std::max(keyColumn_, 0));
    const int column = fieldIndex(field);
    int position = int(keys_.size()) - 1;
    if (ordersForPeople()) {
        // The keys stand in the order for people: the first text not before the value.
        const QString wanted = value.toString();
        int low = 0;
        int high = int(keys_.size());
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (compareForPeople(textAt(middle, column), wanted) < 0)
                low = middle + 1;
            else
                high = middle;
        }
        position = std::min(low, position);
    } else {
        const bool noCase = index_ && index_->caseInsensitive;
        CachedStatement select =
            statement(u"SELECT rowid FROM "_s + from() + u" WHERE "_s +
                      quoteIdentifier(fieldName(column)) + u" >= ?1"_s +
                      (noCase ? u" COLLATE NOCASE"_s : QString()) + orderClause() + u" LIMIT 1"_s);
        select->bind(1, comparable(column, value));
        if (select->step())
            position = positionOfKey(select->int64(0));
    }
    setPosition(position);
    bof_ = eof_ = false;
    notifyCurrent();
}

// --- scans --------------------------------------------------------------------------------

QVariant ScanRow::value(int requested) const {
    return statement_.value(requested + 1);
}

QString ScanRow::text(int requested) const {
    const int field = fields_[size_t(requested)];
    if (table_.fieldType(field) == FieldType::Text)
        return statement_.text(requested + 1);
    return table_.textOf(field, value(requested));
}

void Table::scan(const QStringList& fields, const std::function<bool(const ScanRow&)>& visit,
                 ScanEnd end) {
    requireOpen();
    std::vector<int> columns;
    QStringList selected{u"t.rowid"_s};
    for (const QString& field : fields) {
        columns.push_back(fieldIndex(field));
        selected << u"t."_s + quoteIdentifier(fieldName(columns.back()));
    }
    if (end == ScanEnd::AtLastVisited) {
        checkBrowseMode();
        needKeys();
    }
    // The n-th row must be the n-th record. An order for people is the program's, not the
    // file's, so the rows then follow the key list itself, joined to it in the one statement.
    const bool inKeyListOrder = ordersForPeople();
    if (inKeyListOrder)
        needKeys();
    CachedStatement select =
        statement(u"SELECT "_s + selected.join(u", "_s) + u" FROM "_s +
                  (inKeyListOrder ? u"json_each(?1) AS o JOIN "_s + from() +
                                        u" AS t ON t.rowid = o.value ORDER BY o.key"_s
                                  : from() + u" AS t"_s + orderClause()));
    if (inKeyListOrder)
        select->bind(1, keyListJson());
    ScanRow row(*select, *this, columns);
    int visited = -1;
    for (int position = 0; select->step(); ++position) {
        visited = position;
        row.position_ = position;
        if (!visit(row))
            break;
    }
    if (end == ScanEnd::KeepPosition || visited < 0)
        return;
    setPosition(visited);
    bof_ = visited == 0;
    eof_ = visited == int(keys_.size()) - 1;
    notifyCurrent();
}

QString Table::keyListJson() const {
    completeKeys();
    QString json;
    json.reserve(qsizetype(keys_.size()) * 8 + 2);
    json += u'[';
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (i > 0)
            json += u',';
        json += QString::number(keys_[i]);
    }
    json += u']';
    return json;
}

qint64 ScanRow::key() const {
    return statement_.int64(0);
}

qint64 ScanRow::integer(int requested) const {
    return Table::integerOf(value(requested));
}

bool ScanRow::logical(int requested) const {
    return integer(requested) != 0;
}

QStringList Table::columnTexts(const QString& field) {
    QStringList texts;
    texts.reserve(recordCount());
    scan({field}, [&texts](const ScanRow& row) {
        texts << row.text(0);
        return true;
    });
    return texts;
}

// --- editing --------------------------------------------------------------------------------

void Table::scanWhere(const QString& field, const QVariant& value, const QStringList& fields,
                      const std::function<bool(const ScanRow&)>& visit) {
    requireOpen();
    const int matched = fieldIndex(field);
    std::vector<int> columns;
    QStringList selected{u"rowid"_s};
    for (const QString& name : fields) {
        columns.push_back(fieldIndex(name));
        selected << quoteIdentifier(fieldName(columns.back()));
    }
    CachedStatement select =
        statement(u"SELECT "_s + selected.join(u", "_s) + u" FROM "_s + from() + u" WHERE "_s +
                  quoteIdentifier(fieldName(matched)) + u" IS ?1"_s + orderClause());
    select->bind(1, comparable(matched, value));
    ScanRow row(*select, *this, columns);
    while (select->step()) {
        row.position_ = keysLoaded_ ? positionOfKey(select->int64(0)) : -1;
        if (!visit(row))
            break;
    }
}

int Table::removeWhere(const QString& field, const QVariant& value) {
    requireOpen();
    checkBrowseMode();
    const int matched = fieldIndex(field);
    CachedStatement erase = statement(u"DELETE FROM "_s + from() + u" WHERE "_s +
                                      quoteIdentifier(fieldName(matched)) + u" IS ?1"_s);
    erase->bind(1, comparable(matched, value));
    erase->step();
    const int removed = connection_.changes();
    if (removed > 0)
        refresh();
    return removed;
}

void Table::removeKey(qint64 key) {
    requireOpen();
    checkBrowseMode();
    CachedStatement erase = statement(u"DELETE FROM "_s + from() + u" WHERE rowid = ?1"_s);
    erase->bind(1, key);
    erase->step();
    if (connection_.changes() > 0)
        refresh();
}

void Table::append() {
    requireOpen();
    completeKeys();
    checkBrowseMode();
    buffer_ = QVector<QVariant>(int(columns_.size()));
    modified_ = QVector<bool>(int(columns_.size()), false);
    savedPosition_ = position_;
    state_ = TableState::Insert;
    notifyState();
    notifyCurrent();
}

void Table::edit() {
    requireOpen();
    if (state_ != TableState::Browse)
        return;
    needKeys();
    if (position_ < 0)
        throw StoreError(u"The table %1 has no record to edit."_s.arg(schema_.fileName));
    buffer_ = current_;
    modified_ = QVector<bool>(int(columns_.size()), false);
    state_ = TableState::Edit;
    notifyState();
}

bool Table::orderColumnChanged() const {
    if (!index_ || index_->primary)
        return false;
    for (const QString& field : index_->fields) {
        if (modified_[fieldIndex(field)])
            return true;
    }
    return false;
}

void Table::post() {
    requireOpen();
    completeKeys();
    if (state_ == TableState::Browse)
        return;
    QStringList names;
    QVariantList values;
    for (int i = 0; i < int(columns_.size()); ++i) {
        if (i == keyColumn_ || !modified_[i])
            continue;
        names << quoteIdentifier(columns_[size_t(i)].name);
        values << buffer_[i];
    }
    qint64 key = 0;
    bool reorder = true;
    const bool known = fileAsKnown();
    const int oldPosition = state_ == TableState::Insert ? -1 : position_;
    if (state_ == TableState::Insert) {
        QStringList marks;
        for (int i = 0; i < names.size(); ++i)
            marks << u"?"_s;
        QString sql = u"INSERT INTO "_s + from() + u" DEFAULT VALUES"_s;
        if (!names.isEmpty())
            sql = u"INSERT INTO "_s + from() + u" ("_s + names.join(u", "_s) + u") VALUES ("_s +
                  marks.join(u", "_s) + u')';
        CachedStatement insert = statement(sql);
        insert->bindAll(values);
        insert->step();
        key = connection_.lastInsertRowId();
    } else {
        key = keys_[size_t(position_)];
        reorder = orderColumnChanged();
        if (!names.isEmpty()) {
            CachedStatement update = statement(u"UPDATE "_s + from() + u" SET "_s +
                                               names.join(u" = ?, "_s) + u" = ? WHERE rowid = ?"_s);
            update->bindAll(values);
            update->bind(int(values.size()) + 1, key);
            update->step();
        }
    }
    state_ = TableState::Browse;
    buffer_.clear();
    // Within a transaction the write may yet be rolled back: the keys are read again then.
    if (known && !connection_.inTransaction())
        followOwnWrite(key, oldPosition, reorder);
    else if (reorder)
        keysChanged();
    else
        dropCaches();
    // A record stored in a table whose keys are not read stays unread, and not current.
    setPosition(keysLoaded_ ? positionOfKey(key) : -1);
    bof_ = eof_ = !keysLoaded_;
    notifyState();
    if (reorder)
        notifyRecords();
    notifyCurrent();
}

void Table::cancel() {
    if (!open_ || state_ == TableState::Browse)
        return;
    const bool inserting = state_ == TableState::Insert;
    state_ = TableState::Browse;
    buffer_.clear();
    if (inserting)
        setPosition(std::min(savedPosition_, int(keys_.size()) - 1));
    notifyState();
    notifyCurrent();
}

void Table::remove() {
    requireOpen();
    if (state_ == TableState::Insert) {
        cancel();
        return;
    }
    if (state_ == TableState::Edit)
        cancel();
    needKeys();
    if (position_ < 0)
        throw StoreError(u"The table %1 has no record to delete."_s.arg(schema_.fileName));
    const qint64 key = keys_[size_t(position_)];
    const bool known = fileAsKnown();
    CachedStatement erase = statement(u"DELETE FROM "_s + from() + u" WHERE rowid = ?1"_s);
    erase->bind(1, key);
    erase->step();
    takeOutKey(position_);
    const int position = std::min(position_, int(keys_.size()) - 1);
    if (known && !connection_.inTransaction()) {
        ++generation_;
        rowCache_.remove(key);
        markSynced();
    } else {
        dropCaches();
        synced_ = false;
    }
    setPosition(position);
    bof_ = keys_.empty();
    eof_ = keys_.empty();
    notifyRecords();
    notifyCurrent();
}

void Table::refresh() {
    requireOpen();
    completeKeys();
    checkBrowseMode();
    // Nothing wrote to the file since the keys were read: what the table shows is current.
    if (fileAsKnown()) {
        notifyCurrent();
        return;
    }
    const qint64 key = (position_ >= 0) ? keys_[size_t(position_)] : -1;
    keysChanged();
    int position = keysLoaded_ ? positionOfKey(key) : -1;
    if (position < 0 && keysLoaded_)
        position = std::min(std::max(position_, 0), int(keys_.size()) - 1);
    setPosition(position);
    notifyRecords();
    notifyCurrent();
}

// --- bound controls -------------------------------------------------------------------------

void Table::disableControls() {
    ++disabled_;
}

void Table::enableControls() {
    if (disabled_ == 0 || --disabled_ > 0)
        return;
    notifyRecords();
    notifyCurrent();
}

void Table::notifyCurrent() {
    if (!disabled_)
        emit currentChanged();
}

void Table::notifyRecords() {
    if (!disabled_)
        emit recordsChanged();
}

void Table::notifyState() {
    emit stateChanged();
}

// --- fields -----------------------------------------------------------------------------

bool Table::hasField(const QString& name) const {
    return std::any_of(columns_.begin(), columns_.end(), [&](const Column& column) {
        return column.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

int Table::fieldIndex(const QString& name) const {
    requireOpen();
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    throw StoreError(u"The table %1 has no field %2."_s.arg(schema_.fileName, name));
}

QVariant Table::currentValue(int field) const {
    if (state_ != TableState::Browse)
        return buffer_.value(field);
    return current_.value(field);
}

QVariant Table::value(const QString& field) const {
    return currentValue(fieldIndex(field));
}

QString Table::textOf(int field, const QVariant& stored) const {
    if (!stored.isValid() || stored.isNull())
        return QString();
    switch (columns_[size_t(field)].type) {
    case FieldType::Logical:
        return stored.toLongLong() ? u"True"_s : u"False"_s;
    case FieldType::Date:
        return dateToText(QDate::fromString(stored.toString(), Qt::ISODate));
    case FieldType::Picture:
        return u"(Picture)"_s;
    default:
        return stored.toString();
    }
}

QString Table::asText(const QString& field) const {
    const int column = fieldIndex(field);
    return textOf(column, currentValue(column));
}

qint64 Table::asInteger(const QString& field) const {
    return integerOf(value(field));
}

qint64 Table::integerOf(const QVariant& stored) {
    bool ok = false;
    const qint64 number = stored.toLongLong(&ok);
    return ok ? number : 0;
}

bool Table::asLogical(const QString& field) const {
    return asInteger(field) != 0;
}

QDate Table::asDate(const QString& field) const {
    return QDate::fromString(value(field).toString(), Qt::ISODate);
}

QVariant Table::valueAt(int position, int field) const {
    if (position == position_ && state_ == TableState::Browse)
        return current_.value(field);
    if (!keysComing_ || position >= int(keys_.size()))
        needKeys();
    if (position < 0 || position >= int(keys_.size()))
        return {};
    const qint64 key = keys_[size_t(position)];
    if (field >= 0 && field < fieldCount() && columns_[size_t(field)].type == FieldType::Picture) {
        QVector<QVariant> row(int(columns_.size()));
        readPictures(key, row);
        return row.value(field);
    }
    QVector<QVariant>* row = rowCache_.object(key);
    if (!row) {
        row = new QVector<QVariant>(fetchRow(key, false));
        rowCache_.insert(key, row);
    }
    return row->value(field);
}

QString Table::textAt(int position, int field) const {
    return textOf(field, valueAt(position, field));
}

QVariant Table::storedFromText(int field, const QString& text) const {
    const Column& column = columns_[size_t(field)];
    if (text.isEmpty())
        return {};
    switch (column.type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement: {
        bool ok = false;
        const qint64 number = text.trimmed().toLongLong(&ok);
        if (!ok)
            throw StoreError(
                u"'%1' is not a valid whole number for the field %2."_s.arg(text, column.name));
        return number;
    }
    case FieldType::Logical: {
        const QString word = text.trimmed();
        if (word.compare(u"true"_s, Qt::CaseInsensitive) == 0 || word == u"1"_s)
            return qlonglong(1);
        if (word.compare(u"false"_s, Qt::CaseInsensitive) == 0 || word == u"0"_s)
            return qlonglong(0);
        throw StoreError(
            u"'%1' is not a valid logical value for the field %2."_s.arg(text, column.name));
    }
    case FieldType::Date: {
        const QDate date = dateFromText(text);
        if (!date.isValid())
            throw StoreError(
                u"'%1' is not a valid date for the field %2."_s.arg(text, column.name));
        return date.toString(Qt::ISODate);
    }
    case FieldType::Picture:
        throw StoreError(u"The field %1 holds a picture, not text."_s.arg(column.name));
    case FieldType::Text:
        break;
    }
    return column.size > 0 ? text.left(column.size) : text;
}

QVariant Table::comparable(int field, const QVariant& value) const {
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (value.typeId() == QMetaType::Bool)
        return qlonglong(value.toBool() ? 1 : 0);
    if (value.typeId() == QMetaType::QString) {
        // A text that the field could never hold matches nothing, rather than failing.
        try {
            return storedFromText(field, value.toString());
        } catch (const StoreError&) {
            return value;
        }
    }
    return value;
}

void Table::writeField(int field, const QVariant& stored) {
    requireOpen();
    if (state_ == TableState::Browse)
        throw StoreError(u"The table %1 is not in edit or insert state."_s.arg(schema_.fileName));
    if (field == keyColumn_)
        throw StoreError(
            u"The field %1 is filled by the table itself."_s.arg(columns_[size_t(field)].name));
    buffer_[field] = stored;
    modified_[field] = true;
    emit fieldChanged(field);
}

void Table::setText(const QString& field, const QString& text) {
    const int column = fieldIndex(field);
    writeField(column, storedFromText(column, text));
}

void Table::setInteger(const QString& field, qint64 value) {
    writeField(fieldIndex(field), value);
}

void Table::setLogical(const QString& field, bool value) {
    writeField(fieldIndex(field), qlonglong(value ? 1 : 0));
}

void Table::setDate(const QString& field, const QDate& date) {
    writeField(fieldIndex(field),
               date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant());
}

void Table::setBytes(const QString& field, const QByteArray& bytes) {
    writeField(fieldIndex(field), bytes.isEmpty() ? QVariant() : QVariant(bytes));
}

void Table::setValue(int field, const QVariant& value) {
    writeField(field, value);
}

} // namespace hoardly
