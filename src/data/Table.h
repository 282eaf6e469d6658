#pragma once

#include "FoldedTexts.h"
#include "PrefixRead.h"
#include "Schema.h"

#include <QCache>
#include <QDate>
#include <QFutureWatcher>
#include <QObject>
#include <QVariant>
#include <QVector>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace hoardly {

class CachedStatement;
class Connection;
class Statement;
class Table;

enum class TableState { Browse, Edit, Insert };

// Where a scan leaves the table: where it was, or on the last record it visited, as the walk
// "first; while not at the end, use the record and move to the next" does.
enum class ScanEnd { KeepPosition, AtLastVisited };

// One record met by a scan: the fields the scan asked for, by their place in the request.
class ScanRow {
public:
    ScanRow(const Statement& statement, const Table& table, const std::vector<int>& fields)
        : statement_(statement), table_(table), fields_(fields) {}
    int position() const { return position_; } // -1 while the table's keys are not read
    qint64 key() const;                        // the record's key
    QVariant value(int requested) const;       // the stored value
    QString text(int requested) const;         // as the table's text read shows it
    qint64 integer(int requested) const;       // as asInteger reads it (0 when not a number)
    bool logical(int requested) const;         // as asLogical reads it (NULL is false)

private:
    friend class Table;
    const Statement& statement_;
    const Table& table_;
    const std::vector<int>& fields_;
    int position_ = 0;
};

// A table object: one table file, opened on the shared connection, with a current record in
// the order of the selected index. Positions count from 0 in that order. Moving while a record
// is being edited or inserted posts it first, as leaving a record does in every grid.
class Table : public QObject {
    Q_OBJECT
public:
    Table(Connection& connection, const TableSchema& schema, QObject* parent = nullptr);
    ~Table() override;

    const TableSchema& schema() const { return schema_; }
    Connection& connection() const { return connection_; }
    QString directory() const { return directory_; }
    void setDirectory(const QString& directory);
    QString filePath() const;

    // Opening a table that is open already does nothing.
    void open();
    void close();
    bool isOpen() const { return open_; }

    void selectIndex(const QString& name); // empty: key order
    // Makes selecting the index quick, and answers whether it is. A large table ordered for
    // people (names, titles) is ordered on a thread of the pool: false then, and
    // orderPrepared() tells when selectIndex takes that order at once.
    bool prepareOrder(const QString& name);

    // A table reached through queries only (the rows under a record) need not read its list of
    // keys when it opens or after a write: the list is read at the first move or position asked
    // for. Until then the table has no current record.
    void setKeysOnDemand(bool onDemand) { keysOnDemand_ = onDemand; }
    QString indexName() const { return indexName_; }
    // Whether the keys of every record are read: a large table opens with its first rows' and
    // takes the others from a thread of the pool (a move past them waits for them).
    bool keysAreIn() const { return !keysComing_; }

    void first();
    void prior();
    void next();
    void last();
    void moveTo(int position);
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool isEmpty() const;
    int recordCount() const;
    int position() const { return position_; }

    // Exact comparison on one field or several written "A;B;", one value per field.
    bool locate(const QString& fields, const QVariantList& values);
    // The find box: first record in the current order whose field starts with the text,
    // ignoring letter case.
    bool locatePrefix(const QString& field, const QString& prefix);
    // Reads what the find box needs for the field ahead of the first key typed into it, and
    // answers whether it is ready. A table of many records reads a text field on a thread of
    // the pool, so the window goes on at once; prefixTextsRead() tells when it is in.
    // locatePrefix itself always answers, reading at once what is not ready.
    bool preparePrefixLocate(const QString& field);
    bool prefixTextsReady(const QString& field) const;
    // From how many records a field, an order or the keys are read in the background (tests
    // make it small). Reading and folding 5,000 titles at once takes about 3 ms; more would
    // cost the window a frame.
    static void setBackgroundReadsFrom(int records);
    static constexpr int kBackgroundReadsFrom = 5000; // as the program runs
    // First record whose first index field is equal to or greater than the value; the last
    // record when none is.
    void findNearest(const QVariant& value);

    // Visits every record in the current order with one statement, reading only the named
    // fields; the visitor answers false to stop. Bound controls hear of the scan once, and
    // only when it moves the table (ScanEnd::AtLastVisited, which also posts a pending
    // record first, as any move does).
    void scan(const QStringList& fields, const std::function<bool(const ScanRow&)>& visit,
              ScanEnd end = ScanEnd::KeepPosition);
    // The text of one field of every record, in the current order; does not move the table.
    QStringList columnTexts(const QString& field);
    // Visits, in the current order, only the records whose field holds exactly the value, with
    // one statement (an index on the field makes it a lookup); does not move the table.
    void scanWhere(const QString& field, const QVariant& value, const QStringList& fields,
                   const std::function<bool(const ScanRow&)>& visit);
    // Deletes every record whose field holds exactly the value; answers how many went.
    int removeWhere(const QString& field, const QVariant& value);
    // Deletes the record with this key (ScanRow::key), wherever the table stands.
    void removeKey(qint64 key);

    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    void refresh();
    TableState state() const { return state_; }

    // While disabled (nesting), moves do not notify bound controls; enabling notifies once.
    // SuspendedControls pairs the two for a scope.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

    int fieldCount() const { return int(columns_.size()); }
    QString fieldName(int field) const { return columns_[field].name; }
    FieldType fieldType(int field) const { return columns_[field].type; }
    int fieldSize(int field) const { return columns_[field].size; }
    // Case-insensitive; a StoreError when the table has no such field.
    int fieldIndex(const QString& name) const;
    bool hasField(const QString& name) const;

    QVariant value(const QString& field) const;
    QString asText(const QString& field) const;
    qint64 asInteger(const QString& field) const;
    static qint64 integerOf(const QVariant& stored); // 0 when not a number
    bool asLogical(const QString& field) const;
    QDate asDate(const QString& field) const;

    void setText(const QString& field, const QString& text);
    void setInteger(const QString& field, qint64 value);
    void setLogical(const QString& field, bool value);
    void setDate(const QString& field, const QDate& date);
    void setBytes(const QString& field, const QByteArray& bytes);
    void setValue(int field, const QVariant& value); // already in stored form, or null

    // For grids: stored value and display text of any record by its position.
    QVariant valueAt(int position, int field) const;
    QString textAt(int position, int field) const;
    QString textOf(int field, const QVariant& stored) const;
    // The values of the record being edited or inserted, or of the current record.
    QVariant currentValue(int field) const;

signals:
    void stateChanged();          // opened, closed, or the edit state changed
    void recordsChanged();        // the set or the order of the records changed
    void currentChanged();        // the current record moved or its values changed
    void fieldChanged(int field); // a field of the record being edited was written
    void prefixTextsRead();       // the background read of preparePrefixLocate is in
    void orderPrepared();         // the background ordering of prepareOrder is in

private:
    struct Column {
        QString name;
        FieldType type = FieldType::Text;
        int size = 0;
    };
    void requireOpen() const;
    void checkBrowseMode();
    void readColumns();
    QString from() const;
    QString orderClause() const;
    // Whether the current index orders names or titles, which people expect in their alphabet.
    bool ordersForPeople() const;
    // The keys in their order as a JSON array, for a statement that follows the key list.
    QString keyListJson() const;
    // Every field, or with each picture field read as NULL: the rows the lists read and the
    // row cache keeps leave pictures out, so a list over pictures stays small and quick.
    QString fieldList(bool withPictures = true) const;
    bool hasPictures() const;
    void loadKeys();
    // Appends to keys_ what the ORDER BY gives, all of it unless limited.
    void readKeysInEngineOrder(int limit = -1);
    // A large table in an order the engine gives opens with the keys of its first rows and
    // its count; the others are read on a thread of the pool and taken when they come, or
    // waited for by the first move or write that needs them.
    bool startKeysInBackground();
    void completeKeys() const;
    void adoptKeysRead();
    void takeKeysRead();
    // Reads the list of keys of a table whose keys are on demand, when it is not read yet.
    void needKeys() const;
    void keysChanged();
    void indexKeys();
    // The list of keys is known to match the file while the file's data version stands at
    // what markSynced noted; a write of this table alone then moves one key in the list
    // instead of reading it again.
    void markSynced();
    void markSynced(quint32 version);
    bool fileAsKnown();
    quint32 dataVersion();
    // Where a record not in the list of keys stands in the current order, by a binary search.
    int placeFor(qint64 key);
    bool sortsBefore(qint64 listed, qint64 key, const QString& keyText);
    QString storedText(qint64 key, int field) const;
    QString shownText(qint64 key, int field) const;
    void takeOutKey(int position);
    void putInKey(qint64 key, int position);
    void followOwnWrite(qint64 key, int oldPosition, bool reorder);
    CachedStatement statement(const QString& sql) const;
    void buildPrefixTexts(int field);
    int estimatedRecordCount() const;
    void startPrefixRead(int field);
    void adoptPrefixRead();
    void cancelPrefixRead();
    void adoptOrderRead();
    bool takePreparedOrder();
    void loadCurrent();
    QVector<QVariant> fetchRow(qint64 key, bool withPictures = true) const;
    void readPictures(qint64 key, QVector<QVariant>& row) const;
    void setPosition(int position);
    int positionOfKey(qint64 key) const;
    void notifyCurrent();
    void notifyRecords();
    void notifyState();
    QVariant storedFromText(int field, const QString& text) const;
    QVariant comparable(int field, const QVariant& value) const;
    void writeField(int field, const QVariant& stored);
    bool orderColumnChanged() const;
    void dropCaches();

    Connection& connection_;
    const TableSchema& schema_;
    QString alias_;
    QString directory_;
    bool open_ = false;
    QString indexName_;
    const IndexDef* index_ = nullptr;
    std::vector<Column> columns_;
    int keyColumn_ = -1;

    bool keysOnDemand_ = false;
    bool keysLoaded_ = false;
    std::vector<qint64> keys_;
    // The keys with their positions in keys_, sorted by key, for finding a key's position.
    std::vector<std::pair<qint64, int>> positionByKey_;
    bool keysComing_ = false; // keys_ holds the first rows' keys only
    int comingCount_ = 0;     // the records there are meanwhile
    QFutureWatcher<OrderReadResult>* keysRead_ = nullptr;
    quint64 keysReadGeneration_ = 0;
    quint32 keysReadVersion_ = 0;
    std::shared_ptr<std::atomic_bool> keysReadCancel_;
    bool synced_ = false;
    quint32 syncedVersion_ = 0;
    int syncedCollation_ = 0;
    int position_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    QVector<QVariant> current_;

    TableState state_ = TableState::Browse;
    QVector<QVariant> buffer_;
    QVector<bool> modified_;
    int savedPosition_ = -1;

    int disabled_ = 0;
    mutable QCache<qint64, QVector<QVariant>> rowCache_; // rows without their pictures
    int prefixField_ = -1;
    FoldedTexts prefixTexts_; // folded display texts, aligned with keys_

    // Every change of the keys or the rows counts here; a background read started under an
    // older count is out of date when it comes in.
    quint64 generation_ = 0;
    QFutureWatcher<PrefixReadResult>* prefixRead_ = nullptr;
    int prefixReadField_ = -1;
    int prefixWaitingField_ = -1; // asked for while the keys are coming
    quint64 prefixReadGeneration_ = 0;
    quint32 prefixReadVersion_ = 0;
    bool prefixReadGivesKeys_ = false;
    std::shared_ptr<std::atomic_bool> prefixReadCancel_;

    QFutureWatcher<OrderReadResult>* orderRead_ = nullptr;
    QString orderReadIndex_;
    quint64 orderReadGeneration_ = 0;
    quint32 orderReadVersion_ = 0;
    std::shared_ptr<std::atomic_bool> orderReadCancel_;
    QString preparedIndex_; // an order read in the background, good while the count holds
    quint64 preparedGeneration_ = 0;
    quint32 preparedVersion_ = 0;
    OrderReadResult prepared_;
};

// Bound controls do not follow the table while this lives: a walk with first and next, or a
// run of writes, repaints them once at the end instead of at every record.
class SuspendedControls {
public:
    explicit SuspendedControls(Table& table) : table_(table) { table_.disableControls(); }
    ~SuspendedControls() { table_.enableControls(); }
    SuspendedControls(const SuspendedControls&) = delete;
    SuspendedControls& operator=(const SuspendedControls&) = delete;

private:
    Table& table_;
};

} // namespace hoardly
