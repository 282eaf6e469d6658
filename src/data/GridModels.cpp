#include "GridModels.h"

#include "DataSource.h"
#include "Errors.h"
#include "Query.h"
#include "Table.h"

#include <QTimer>

namespace hoardly {

namespace {

// A cell's whole text, for the columns too narrow to show all of it; none for an empty cell.
QVariant toolTip(const QVariant& shown) {
    const QString text = shown.toString();
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

TableGridModel::TableGridModel(DataSource& source, QList<GridColumn> columns, bool editable,
                               QObject* parent)
    : QAbstractTableModel(parent), source_(source), columns_(std::move(columns)),
      editable_(editable) {
    Table& table = source_.table();
    connect(&table, &Table::recordsChanged, this, &TableGridModel::reset);
    connect(&table, &Table::stateChanged, this, &TableGridModel::stateMoved);
    connect(&table, &Table::currentChanged, this, &TableGridModel::currentMoved);
    connect(&table, &Table::fieldChanged, this, &TableGridModel::currentMoved);
    reset();
}

int TableGridModel::columnOfField(const QString& field) const {
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TableGridModel::insertRow() const {
    const Table& table = source_.table();
    return table.state() == TableState::Insert ? table.recordCount() : -1;
}

void TableGridModel::reset() {
    beginResetModel();
    const Table& table = source_.table();
    rows_ = table.recordCount() + (table.state() == TableState::Insert ? 1 : 0);
    open_ = table.isOpen();
    endResetModel();
    resolveFields();
}

void TableGridModel::resolveFields() {
    fields_.fill(-1, columns_.size());
    const Table& table = source_.table();
    if (!table.isOpen())
        return;
    QStringList faults;
    for (int column = 0; column < columns_.size(); ++column) {
        try {
            fields_[column] = table.fieldIndex(columns_[column].field);
        } catch (const StoreError& error) {
            if (!faults.contains(error.text()))
                faults << error.text();
        }
    }
    for (const QString& fault : std::as_const(faults))
        emit readFailed(fault);
}

void TableGridModel::reportLater(const QString& text) const {
    // Signals are not const; reporting leaves the model as it is.
    auto* self = const_cast<TableGridModel*>(this);
    QTimer::singleShot(0, self, [self, text] { emit self->readFailed(text); });
}

// Starting or ending the edit of a record only repaints its row: a reset would close the cell
// editor the user has just opened. Opening, closing and inserting change the rows.
void TableGridModel::stateMoved() {
    if (source_.table().isOpen() != open_) {
        reset();
        return;
    }
    currentMoved();
}

void TableGridModel::currentMoved() {
    const Table& table = source_.table();
    const int rows = table.recordCount() + (table.state() == TableState::Insert ? 1 : 0);
    if (rows != rows_) {
        reset();
        return;
    }
    const int row = insertRow() >= 0 ? insertRow() : table.position();
    if (row >= 0 && !columns_.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1));
}

int TableGridModel::fieldOf(int column) const {
    return fields_.value(column, -1);
}

int TableGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::ToolTipRole)
        return toolTip(data(index, Qt::DisplayRole));
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const Table& table = source_.table();
    if (!table.isOpen())
        return {};
    const int field = fieldOf(index.column());
    if (field < 0)
        return {};
    const bool pending = table.state() != TableState::Browse &&
                         (index.row() == insertRow() ||
                          (table.state() == TableState::Edit && index.row() == table.position()));
    try {
        if (pending)
            return table.textOf(field, table.currentValue(field));
        return table.textAt(index.row(), field);
    } catch (const StoreError& error) {
        reportLater(error.text());
        return {};
    }
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return columns_.value(section).title;
    return {};
}

Qt::ItemFlags TableGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (editable_ && index.isValid())
        result |= Qt::ItemIsEditable;
    return result;
}

bool TableGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!editable_ || role != Qt::EditRole || !index.isValid())
        return false;
    Table& table = source_.table();
    try {
        const int field = fieldOf(index.column());
        if (field < 0)
            return false; // the column is missing; the grid said so when it was filled
        const QString text = value.toString();
        if (index.row() != insertRow()) {
            table.moveTo(index.row());
            if (table.textOf(field, table.currentValue(field)) == text)
                return true;
            if (table.state() == TableState::Browse)
                table.edit();
        }
        table.setText(table.fieldName(field), text);
        return true;
    } catch (const StoreError& error) {
        emit writeFailed(error.text());
        return false;
    }
}

// --- QueryModel -------------------------------------------------------------------------

QueryModel::QueryModel(Query& query, QObject* parent) : QAbstractTableModel(parent), query_(query) {
    connect(&query_, &Query::stateChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

void QueryModel::setColumnTitle(int column, const QString& title) {
    titles_[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void QueryModel::clearTitles() {
    titles_.clear();
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int QueryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : query_.rowCount();
}

int QueryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : query_.columnCount();
}

QVariant QueryModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::ToolTipRole)
        return toolTip(data(index, Qt::DisplayRole));
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const QVariant value = query_.value(index.row(), index.column());
    return value.isNull() ? QVariant(QString()) : value;
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return titles_.contains(section) ? titles_.value(section) : query_.columnName(section);
}

} // namespace hoardly
