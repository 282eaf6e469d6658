#pragma once

#include "Schema.h"

#include <QCache>
#include <QDate>
#include <QObject>
#include <QVariant>
#include <QVector>
#include <vector>

namespace hoardly {

class Connection;
class Statement;

enum class TableState { Browse, Edit, Insert };

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

    void open();
    void close();
    bool isOpen() const { return open_; }

    void selectIndex(const QString& name); // empty: key order
    QString indexName() const { return indexName_; }

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
    // Reads what the find box needs for the field ahead of the first key typed into it.
    void preparePrefixLocate(const QString& field);
    // First record whose first index field is equal to or greater than the value; the last
    // record when none is.
    void findNearest(const QVariant& value);

    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    void refresh();
    TableState state() const { return state_; }

    // While disabled (nesting), moves do not notify bound controls; enabling notifies once.
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
    QString fieldList() const;
    void loadKeys();
    void indexKeys();
    void buildPrefixTexts(int field);
    void loadCurrent();
    QVector<QVariant> fetchRow(qint64 key) const;
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

    std::vector<qint64> keys_;
    std::vector<int> positionByKey_; // position of each key in keys_, -1 for none
    int position_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    QVector<QVariant> current_;

    TableState state_ = TableState::Browse;
    QVector<QVariant> buffer_;
    QVector<bool> modified_;
    int savedPosition_ = -1;

    int disabled_ = 0;
    mutable QCache<qint64, QVector<QVariant>> rowCache_;
    int prefixField_ = -1;
    QVector<QString> prefixTexts_; // folded display texts, aligned with keys_
};

} // namespace hoardly
