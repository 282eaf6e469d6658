// The building of a register window's pages from its description.
#include "MasterGrid.h"
#include "RegisterWindow.h"

#include "RecordButtons.h"
#include "data/Collation.h"
#include "data/GridModels.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "ui/BoundControls.h"
#include "ui/KeyFilters.h"
#include "ui/LabelRoom.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

void setUpReadOnlyGrid(QTableView* view) {
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    // Fixed row heights: the view never asks the model to measure rows it does not show.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
}

QLabel* valueLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    makeRoomForMarks(label);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    label->setMinimumWidth(120);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return label;
}

QLabel* captionLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    makeRoomForMarks(label); // level with its values
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::WindowText).lighter(160));
    label->setPalette(palette);
    return label;
}

} // namespace

void RegisterWindow::buildCommands() {
    commands_ = CommandTable::install(this, d_.commands, pages_);
    toolBar_ = commands_->toolBar();
    popup_ = commands_->popup();
}

void RegisterWindow::buildBrowsePage() {
    browsePage_ = new QWidget(pages_);
    browsePage_->setObjectName(d_.browsePage);
    auto* layout = new QVBoxLayout(browsePage_);

    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(browsePage_);
    picture->setPixmap(registerPicture(d_.picture, 48));
    heading_ = new QLabel(d_.heading, browsePage_);
    heading_->setObjectName(u"heading"_s);
    QFont headingFont = heading_->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.7);
    headingFont.setBold(true);
    heading_->setFont(headingFont);
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(picture);
    top->addWidget(heading_, 1);
    layout->addLayout(top);

    auto* splitter = new QSplitter(Qt::Horizontal, browsePage_);
    splitter->setChildrenCollapsible(false);
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    list_ = new QTableView(left);
    list_->setObjectName(u"list"_s);
    setUpReadOnlyGrid(list_);
    listModel_ = new TableGridModel(source(), d_.listColumns, false, this);
    auto* listBinding = new GridBinding(*listModel_, list_);
    connectErrors(listBinding);
    for (int column = 0; column + 1 < d_.listColumns.size(); ++column)
        list_->setColumnWidth(column, 70);
    list_->installEventFilter(this);
    connect(list_, &QTableView::clicked, this, &RegisterWindow::updateHeading);
    navigator_ = new Navigator(source(), context_.dialogs, d_.navigator, left);
    navigator_->setObjectName(u"navigator"_s);
    connect(navigator_, &Navigator::clicked, this, &RegisterWindow::updateHeading);
    leftLayout->addWidget(list_, 1);
    leftLayout->addWidget(navigator_);
    leftLayout->addWidget(buildFindGroup());

    auto* panel = buildRecordPanel();
    splitter->addWidget(left);
    splitter->addWidget(panel);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    layout->addWidget(splitter, 1);

    QWidget::setTabOrder(list_, navigator_);
    pages_->addWidget(browsePage_);
}

QWidget* RegisterWindow::buildFindGroup() {
    auto* group = new QGroupBox(d_.findTitle, browsePage_);
    group->setObjectName(u"findGroup"_s);
    auto* layout = new QGridLayout(group);
    const QString startField = d_.findOptions.isEmpty() ? d_.nameField : d_.findOptions[0].field;
    findBox_ = new FindBox(source(), startField, d_.findStartLength, group);
    findBox_->setObjectName(u"findBox"_s);
    auto* result = new QLabel(group);
    result->setObjectName(u"findResult"_s);
    QFont bold = result->font();
    bold.setBold(true);
    result->setFont(bold);
    findBox_->setResultLabel(result, d_.foundText, d_.notFoundText);
    connect(findBox_, &QLineEdit::textChanged, this, &RegisterWindow::updateHeading);
    connect(findBox_, &FindBox::searched, this, [this](bool found) {
        if (found)
            updateHeading();
    });
    connect(findBox_, &FindBox::failed, this, &RegisterWindow::reportError);
    layout->addWidget(findBox_, 0, 0);
    layout->addWidget(result, 0, 1);
    auto* options = new QHBoxLayout;
    QWidget* previous = findBox_;
    for (int i = 0; i < d_.findOptions.size(); ++i) {
        auto* radio = new QRadioButton(d_.findOptions[i].label, group);
        radio->setObjectName(u"findOption"_s + QString::number(i));
        radio->setChecked(i == 0);
        connect(radio, &QRadioButton::clicked, this, [this, i] { chooseFindOption(i); });
        options->addWidget(radio);
        findOptions_ << radio;
        QWidget::setTabOrder(previous, radio);
        previous = radio;
    }
    options->addStretch();
    layout->addLayout(options, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    result->setMinimumWidth(result->fontMetrics().horizontalAdvance(d_.notFoundText) + 8);
    return group;
}

QWidget* RegisterWindow::buildRecordPanel() {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::StyledPanel);
    auto* panel = new QWidget;
    panel->setObjectName(u"recordPanel"_s);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);
    auto* panelLayout = new QVBoxLayout(panel);
    auto* form = new QFormLayout;
    panelLayout->addLayout(form);
    panelLayout->addStretch(1); // the rows keep their height; the room left stays below
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignTop);
    form->setVerticalSpacing(8);
    for (const PanelField& field : std::as_const(d_.panel)) {
        if (field.memo) {
            auto* memo = new QPlainTextEdit(panel);
            memo->setObjectName(u"panel_"_s + field.fields.value(0));
            memo->setReadOnly(true);
            memo->setFocusPolicy(Qt::ClickFocus);
            memo->setMinimumHeight(70);
            memo->setMaximumHeight(170);
            new MemoBinding(source(), field.fields.value(0), memo, 240);
            form->addRow(captionLabel(field.label, panel), memo);
            continue;
        }
        auto* values = new QVBoxLayout;
        values->setSpacing(2);
        for (const QString& name : field.fields) {
            auto* value = valueLabel(panel);
            value->setObjectName(u"panel_"_s + name);
            connectErrors(new LabelBinding(source(), name, value));
            if (field.suffix.isEmpty()) {
                values->addWidget(value);
                continue;
            }
            auto* row = new QHBoxLayout;
            value->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
            value->setMinimumWidth(0);
            row->addWidget(value);
            auto* suffix = new QLabel(field.suffix, panel);
            makeRoomForMarks(suffix);
            row->addWidget(suffix);
            row->addStretch();
            values->addLayout(row);
        }
        form->addRow(captionLabel(field.label, panel), values);
    }
    scroll->setWidget(panel);
    return scroll;
}

QWidget* RegisterWindow::buildEditControl(const EditField& field) {
    QWidget* control = nullptr;
    switch (field.kind) {
    case EditKind::Line: {
        auto* edit = new QLineEdit(editPage_);
        connectErrors(new LineEditBinding(source(), field.field, edit));
        if (field.maxLength > 0)
            edit->setMaxLength(field.maxLength);
        control = edit;
        break;
    }
    case EditKind::Spin: {
        auto* spin = new QSpinBox(editPage_);
        spin->setRange(field.minimum, field.maximum);
        spin->setMinimumWidth(90);
        control = spin;
        break;
    }
    case EditKind::PickList: {
        auto* combo = new QComboBox(editPage_);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(20);
        QStringList items = field.items;
        if (field.sorted)
            sortForPeople(items);
        combo->addItems(items);
        combo->setCurrentIndex(-1);
        connectErrors(new ComboBinding(source(), field.field, combo));
        if (!field.remembered.isEmpty())
            pickLists_ << std::pair{field.field, combo};
        control = combo;
        break;
    }
    case EditKind::Memo: {
        auto* memo = new QPlainTextEdit(editPage_);
        memo->setTabChangesFocus(true);
        memo->setMinimumHeight(80);
        connectErrors(new MemoBinding(source(), field.field, memo, field.maxLength));
        control = memo;
        break;
    }
    case EditKind::Check: {
        auto* check = new QCheckBox(field.label, editPage_);
        connectErrors(new CheckBinding(source(), field.field, check));
        control = check;
        break;
    }
    }
    control->setObjectName(u"edit_"_s + field.field);
    // Boxes for a few digits need not span the column.
    const int schemaField = d_.table->fieldIndex(field.field);
    const int size = field.maxLength > 0 ? field.maxLength
                     : schemaField >= 0  ? d_.table->fields[schemaField].size
                                         : 0;
    if (field.kind == EditKind::Spin || (field.kind == EditKind::Line && size > 0 && size <= 6))
        control->setMaximumWidth(control->fontMetrics().horizontalAdvance(u'0') * 12 + 28);
    if (field.digitsOnly)
        new DigitsFilter(context_.dialogs, KeyFilterKind::DigitsOnly, control);
    editControls_.insert(field.field, control);
    return control;
}

void RegisterWindow::buildEditPage() {
    editPage_ = new QWidget(pages_);
    editPage_->setObjectName(d_.editPage);
    auto* layout = new QVBoxLayout(editPage_);
    // The columns keep their natural height; what is left goes to the memos.
    auto* columnsBox = new QWidget(editPage_);
    columnsBox->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* columns = new QHBoxLayout(columnsBox);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(28); // between the columns; the forms set their own row spacing
    QList<QFormLayout*> forms;
    QList<QWidget*> order;
    // Memos span the page below the columns and take the height that is left.
    auto* memos = new QGridLayout;
    memos->setColumnStretch(1, 1);
    int memoRows = 0;
    for (const EditField& field : std::as_const(d_.editFields)) {
        QWidget* control = buildEditControl(field);
        order << control;
        if (field.kind == EditKind::Memo) {
            const int row = memoRows++;
            auto* label = new QLabel(field.label, editPage_);
            label->setBuddy(control);
            memos->addWidget(label, row, 0, Qt::AlignTop);
            memos->addWidget(control, row, 1);
            memos->setRowStretch(row, 1);
            continue;
        }
        while (forms.size() <= field.column) {
            forms << new QFormLayout;
            forms.last()->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
            forms.last()->setVerticalSpacing(10);
            forms.last()->setHorizontalSpacing(12);
            columns->addLayout(forms.last(), 1);
        }
        QFormLayout* form = forms[field.column];
        const QString label = field.kind == EditKind::Check ? QString() : field.label;
        if (field.note.isEmpty()) {
            form->addRow(label, control);
            continue;
        }
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        row->addWidget(control, field.kind == EditKind::Line ? 0 : 1);
        row->addWidget(new QLabel(field.note, editPage_));
        row->addStretch();
        form->addRow(label, row);
    }
    layout->addWidget(columnsBox);
    layout->addSpacing(6);
    layout->addLayout(memos, 1);
    if (memoRows == 0)
        layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    const RecordButtons record = makeRecordButtons(editPage_, u"ok"_s, u"cancel"_s, u"tip"_s);
    okButton_ = record.ok;
    cancelButton_ = record.cancel;
    tipButton_ = record.tip;
    buttons->addWidget(tipButton_);
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    order << okButton_ << cancelButton_ << tipButton_;
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);

    connect(okButton_, &QPushButton::clicked, this, &RegisterWindow::acceptRecord);
    connect(cancelButton_, &QPushButton::clicked, this, &RegisterWindow::cancelRecord);
    connect(tipButton_, &QPushButton::clicked, this,
            [this] { context_.shell.showTips(d_.editTips); });
    // ESC on the edit page is the Cancel button.
    auto* escape = new QAction(editPage_);
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QAction::triggered, this, &RegisterWindow::cancelRecord);
    editPage_->addAction(escape);
    pages_->addWidget(editPage_);
}

void RegisterWindow::buildMasterListPage() {
    masterPage_ = new QWidget(pages_);
    masterPage_->setObjectName(d_.masterListPage);
    auto* layout = new QVBoxLayout(masterPage_);
    auto* top = new QHBoxLayout;
    auto* findLabel = new QLabel(d_.masterFindLabel, masterPage_);
    masterFind_ = new FindBox(source(), d_.masterFindField, FindBox::kNoLimit, masterPage_);
    masterFind_->setObjectName(u"masterFindBox"_s);
    masterFind_->setToolTip(d_.masterFindHint);
    masterFind_->setMinimumWidth(220);
    findLabel->setBuddy(masterFind_);
    connect(masterFind_, &FindBox::failed, this, &RegisterWindow::reportError);
    masterNavigator_ = new Navigator(source(), context_.dialogs, d_.masterNavigator, masterPage_);
    masterNavigator_->setObjectName(u"masterNavigator"_s);
    masterTips_ = new QPushButton(registerIcon(Icon::Tip), QString(), masterPage_);
    masterTips_->setObjectName(u"masterTips"_s);
    masterTips_->setToolTip(d_.masterTipsHint);
    masterTips_->setAutoDefault(false);
    connect(masterTips_, &QPushButton::clicked, this,
            [this] { context_.shell.showTips(d_.masterTips); });
    top->addWidget(findLabel);
    top->addWidget(masterFind_);
    top->addSpacing(16);
    top->addWidget(masterNavigator_);
    top->addWidget(masterTips_);
    layout->addLayout(top);

    masterGrid_ = new MasterGrid(masterPage_);
    masterGrid_->setObjectName(u"masterGrid"_s);
    masterGrid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    masterGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    masterGrid_->setAlternatingRowColors(true);
    masterGrid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    masterGrid_->verticalHeader()->setDefaultSectionSize(masterGrid_->fontMetrics().height() + 8);
    masterGrid_->verticalHeader()->setMinimumWidth(16);
    masterGrid_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    masterModel_ = new TableGridModel(source(), d_.masterColumns, true, this);
    connect(masterModel_, &TableGridModel::writeFailed, this, &RegisterWindow::reportError);
    connectErrors(new GridBinding(*masterModel_, masterGrid_));
    const QFontMetrics metrics = masterGrid_->fontMetrics();
    for (int column = 0; column < d_.masterColumns.size(); ++column) {
        const GridColumn& def = d_.masterColumns[column];
        // Short fields get the width of their title, names and other texts some room.
        const int field = d_.table->fieldIndex(def.field);
        const FieldDef* known = field >= 0 ? &d_.table->fields[field] : nullptr;
        const bool narrow =
            known && (known->type != FieldType::Text || (known->size > 0 && known->size <= 12));
        int width = metrics.horizontalAdvance(def.title) + 24;
        if (!narrow)
            width = std::max(width, metrics.horizontalAdvance(u"M"_s) * 12);
        if (def.field.compare(d_.nameField, Qt::CaseInsensitive) == 0)
            width = std::max(width, metrics.horizontalAdvance(u"M"_s) * 18);
        masterGrid_->setColumnWidth(column, width);
    }
    layout->addWidget(masterGrid_, 1);
    QWidget::setTabOrder(masterFind_, masterNavigator_);
    QWidget::setTabOrder(masterTips_, masterGrid_);
    pages_->addWidget(masterPage_);
}

} // namespace hoardly
