#include "BoundControls.h"

#include "PictureCodec.h"
#include "PlainTextDelegate.h"
#include "ReadOnlyStart.h"
#include "data/DataSource.h"
#include "data/Errors.h"
#include "data/GridModels.h"
#include "data/Table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTableView>

namespace hoardly {

// --- FieldBinding ---------------------------------------------------------------------------

FieldBinding::FieldBinding(DataSource& source, QString field, QWidget* control)
    : QObject(control), source_(source), field_(std::move(field)) {
    Table& table = source_.table();
    connect(&table, &Table::currentChanged, this, &FieldBinding::refresh);
    connect(&table, &Table::stateChanged, this, &FieldBinding::refresh);
    connect(&table, &Table::fieldChanged, this, [this](int field) {
        if (source_.table().fieldName(field).compare(field_, Qt::CaseInsensitive) == 0)
            refresh();
    });
}

Table& FieldBinding::table() const {
    return source_.table();
}

void FieldBinding::refresh() {
    showing_ = true;
    try {
        const Table& table = source_.table();
        show(table.isOpen() ? table.asText(field_) : QString());
    } catch (const StoreError& error) {
        show(QString());
        emit failed(error.text());
    }
    showing_ = false;
}

bool FieldBinding::write(const QString& text) {
    if (showing_)
        return true;
    Table& table = source_.table();
    try {
        if (!table.isOpen())
            return false;
        if (table.state() == TableState::Browse) {
            if (!source_.autoEdit() || table.isEmpty()) {
                refresh();
                return false;
            }
            table.edit();
        }
        if (table.asText(field_) != text)
            table.setText(field_, text);
        return true;
    } catch (const StoreError& error) {
        refresh();
        emit failed(error.text());
        return false;
    }
}

namespace {

// The longest text a text field holds, for the control's own limit; 0 for no limit.
int textLimit(const Table& table, const QString& field) {
    if (!table.isOpen() || !table.hasField(field))
        return 0;
    const int column = table.fieldIndex(field);
    return table.fieldType(column) == FieldType::Text ? table.fieldSize(column) : 0;
}

} // namespace

// --- the controls -------------------------------------------------------------------------

LineEditBinding::LineEditBinding(DataSource& source, const QString& field, QLineEdit* edit)
    : FieldBinding(source, field, edit), edit_(edit) {
    connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) { write(text); });
    const auto limit = [this] {
        if (const int size = textLimit(table(), this->field()); size > 0)
            edit_->setMaxLength(size);
    };
    connect(&table(), &Table::stateChanged, this, limit);
    limit();
    showStartWhileReadOnly(edit);
    refresh();
}

void LineEditBinding::show(const QString& text) {
    if (edit_ && edit_->text() != text)
        edit_->setText(text);
}

ComboBinding::ComboBinding(DataSource& source, const QString& field, QComboBox* combo)
    : FieldBinding(source, field, combo), combo_(combo) {
    connect(combo, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!showing())
            write(text);
    });
    refresh();
}

void ComboBinding::show(const QString& text) {
    if (combo_ && combo_->currentText() != text)
        combo_->setCurrentText(text);
}

MemoBinding::MemoBinding(DataSource& source, const QString& field, QPlainTextEdit* memo,
                         int maxLength)
    : FieldBinding(source, field, memo), memo_(memo), maxLength_(maxLength) {
    connect(memo, &QPlainTextEdit::textChanged, this, [this] {
        if (showing() || !memo_)
            return;
        QString text = memo_->toPlainText();
        const int limit = maxLength_ > 0 ? maxLength_ : textLimit(table(), this->field());
        if (limit > 0 && text.size() > limit) {
            // Refuse what goes past the limit instead of cutting it off unseen when posted.
            text.truncate(limit);
            const QSignalBlocker blocker(memo_);
            memo_->setPlainText(text);
            memo_->moveCursor(QTextCursor::End);
        }
        write(text);
    });
    refresh();
}

void MemoBinding::show(const QString& text) {
    if (memo_ && memo_->toPlainText() != text)
        memo_->setPlainText(text);
}

CheckBinding::CheckBinding(DataSource& source, const QString& field, QCheckBox* check)
    : FieldBinding(source, field, check), check_(check) {
    connect(check, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing() && !write(on ? QStringLiteral("True") : QStringLiteral("False")))
            refresh();
    });
    refresh();
}

void CheckBinding::show(const QString& text) {
    if (check_)
        check_->setChecked(text == QLatin1String("True"));
}

LabelBinding::LabelBinding(DataSource& source, const QString& field, QLabel* label)
    : FieldBinding(source, field, label), label_(label) {
    refresh();
}

void LabelBinding::show(const QString& text) {
    if (label_)
        label_->setText(text);
}

PictureBinding::PictureBinding(DataSource& source, const QString& field, QLabel* label)
    : FieldBinding(source, field, label), label_(label) {
    refresh();
}

void PictureBinding::show(const QString&) {
    if (!label_)
        return;
    const Table& table = this->table();
    const QImage picture =
        table.isOpen() ? pictureFromField(table.value(field()).toByteArray()) : QImage();
    if (picture.isNull()) {
        label_->clear();
    } else {
        label_->setScaledContents(true);
        label_->setPixmap(QPixmap::fromImage(picture));
    }
}

// --- GridBinding --------------------------------------------------------------------------

GridBinding::GridBinding(TableGridModel& model, QTableView* view)
    : QObject(view), model_(model), view_(view) {
    view->setModel(&model);
    view->setItemDelegate(new PlainTextDelegate(view));
    Table& table = model.source().table();
    connect(&table, &Table::currentChanged, this, &GridBinding::followTable);
    connect(&model, &QAbstractItemModel::modelReset, this, &GridBinding::followTable);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    followView(current.row());
            });
    followTable();
}

void GridBinding::followTable() {
    if (syncing_ || !view_)
        return;
    const Table& table = model_.source().table();
    const int row = model_.insertRow() >= 0 ? model_.insertRow() : table.position();
    if (row < 0 || row >= model_.rowCount())
        return;
    syncing_ = true;
    const int column = std::max(view_->currentIndex().column(), 0);
    const QModelIndex index = model_.index(row, column);
    if (view_->currentIndex().row() != row)
        view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    view_->scrollTo(index);
    syncing_ = false;
}

void GridBinding::followView(int row) {
    if (syncing_)
        return;
    Table& table = model_.source().table();
    if (row == model_.insertRow())
        return;
    syncing_ = true;
    try {
        table.moveTo(row);
    } catch (const StoreError& error) {
        emit failed(error.text());
    }
    syncing_ = false;
    // Posting a pending edit may have re-ordered the rows.
    followTable();
}

} // namespace hoardly
