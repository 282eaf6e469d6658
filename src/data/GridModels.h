#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>

namespace hoardly {

class DataSource;
class Query;

struct GridColumn {
    QString field;
    QString title;
};

// A grid over a table object: one row per record in the table's current order, read straight
// from the store as the view paints (nothing is copied). While a record is being inserted, it
// shows as one extra row at the end. Editable grids write a cell into the record and post it
// when the current record moves on. A cell's tool tip is its whole text.
class TableGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableGridModel(DataSource& source, QList<GridColumn> columns, bool editable,
                   QObject* parent = nullptr);

    DataSource& source() const { return source_; }
    const QList<GridColumn>& columns() const { return columns_; }
    int columnOfField(const QString& field) const;
    int insertRow() const; // the row of the record being inserted, or -1

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A cell's text could not be written (a letter in a number field, say).
    void writeFailed(const QString& text);
    // A column or a row could not be read (a column missing from the file, say); the grid
    // shows the cells empty. Sent once per reset for a missing column, and never from inside
    // a paint: the fault goes to a box, which must not open while the grid paints.
    void readFailed(const QString& text);

private:
    void reset();
    void resolveFields();
    void reportLater(const QString& text) const;
    void stateMoved();
    void currentMoved();
    int fieldOf(int column) const;

    DataSource& source_;
    QList<GridColumn> columns_;
    bool editable_;
    int rows_ = 0;
    bool open_ = false;
    QList<int> fields_; // field numbers, by column; -1 for a field the table lacks
};

// The result of the shared query as a read-only grid. Columns are titled with their field
// names until a search names or hides them. A cell's tool tip is its whole text.
class QueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit QueryModel(Query& query, QObject* parent = nullptr);
    Query& query() const { return query_; }
    void setColumnTitle(int column, const QString& title);
    void clearTitles();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Query& query_;
    QHash<int, QString> titles_;
};

} // namespace hoardly
