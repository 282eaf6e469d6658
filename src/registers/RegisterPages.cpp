// The building of a register window's pages and commands from its description.
#include "DetailPanel.h"
#include "MasterGrid.h"
#include "RecordList.h"
#include "RegisterWindow.h"

#include "RecordButtons.h"
#include "WebAddress.h"
#include "data/Collation.h"
#include "data/GridModels.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "printing/PrintCommands.h"
#include "ui/BoundControls.h"
#include "ui/Dialogs.h"
#include "ui/KeyFilters.h"
#include "ui/LabelRoom.h"
#include "ui/PictureBox.h"
#include "ui/WebLink.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
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
#include <QToolButton>
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

QFont boldOf(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

// A place of the pages where a register puts controls of its own.
QVBoxLayout* newPlace() {
    auto* place = new QVBoxLayout;
    place->setContentsMargins(0, 0, 0, 0);
    return place;
}

} // namespace

void RegisterWindow::buildCommands() {
    commands_ = CommandTable::install(this, d_.commands, context_.dialogs, pages_);
    toolBar_ = commands_->toolBar();
    popup_ = commands_->popup();

    commands_->setHandler(cmd::close, [this] { close(); });
    commands_->setHandler(cmd::add, [this] { controller_->add(); });
    commands_->setHandler(cmd::edit, [this] { controller_->edit(); });
    commands_->setHandler(cmd::remove, [this] { controller_->remove(); });
    commands_->setHandler(cmd::masterList, [this] { controller_->showMasterList(); });
    commands_->setHandler(cmd::back, [this] { controller_->back(); });
    commands_->setHandler(cmd::findByConditions, [this] { showSearchPage(); });
    commands_->setHandler(cmd::lending, [this] { controller_->lend(); });
    commands_->setHandler(cmd::help, [this] { context_.shell.openHelp(); });
    commands_->setHandler(cmd::about, [this] { context_.shell.showAbout(); });
    if (commands_->action(cmd::musicOff))
        commands_->setHandler(cmd::musicOff, [this] { switchMusic(); });
    if (d_.htmlExport)
        commands_->setHandler(cmd::htmlExport, [this] { exportHtmlList(); });
    if (d_.printLayout) {
        commands_->setHandler(cmd::printPreview, [this] {
            print::PrintCommands(context_, this, *d_.printLayout).preview(today());
        });
        commands_->setHandler(cmd::print, [this] {
            print::PrintCommands(context_, this, *d_.printLayout).print(table(), today());
        });
    }
    for (int i = 0; i < d_.sortOptions.size(); ++i)
        commands_->setHandler(d_.sortOptions[i].command, [this, i] { sortBy(i); });
    if (!d_.hideColumnCommand.isEmpty())
        commands_->setHandler(d_.hideColumnCommand, [this] {
            const int column = listModel_->columnOfField(d_.hideColumnField);
            list_->setColumnHidden(column, commands_->isChecked(d_.hideColumnCommand));
        });
    if (!d_.hideHeadingCommand.isEmpty())
        commands_->setHandler(d_.hideHeadingCommand, [this] {
            heading_->setVisible(!commands_->isChecked(d_.hideHeadingCommand));
        });

    // ESC is the Cancel button while an entry is open; the derived state enables it then.
    escape_ = new QAction(this);
    escape_->setObjectName(u"escape"_s);
    escape_->setShortcut(Qt::Key_Escape);
    escape_->setShortcutContext(Qt::WindowShortcut);
    connect(escape_, &QAction::triggered, this, [this] { controller_->cancel(); });
    addAction(escape_);
}

// --- the browse page ------------------------------------------------------------------------

QWidget* RegisterWindow::buildHeadingRow(QWidget* page) {
    auto* row = new QWidget(page);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!d_.browse.title.isEmpty()) {
        auto* title = new QLabel(d_.browse.title, row);
        title->setObjectName(u"pageHeading"_s);
        QFont titleFont = boldOf(title->font());
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
        title->setFont(titleFont);
        layout->addWidget(title);
        layout->addSpacing(12);
    }
    if (d_.browse.picture) {
        auto* picture = new QLabel(row);
        picture->setObjectName(u"picture"_s);
        picture->setPixmap(registerPicture(*d_.browse.picture, 48));
        layout->addWidget(picture);
    }
    heading_ = new QLabel(d_.heading.text, row);
    heading_->setObjectName(u"heading"_s);
    QFont headingFont = boldOf(heading_->font());
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.7);
    heading_->setFont(headingFont);
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(heading_, 1);
    return row;
}

QWidget* RegisterWindow::buildList(QWidget* page) {
    list_ = new RecordList(page);
    list_->setObjectName(u"list"_s);
    setUpReadOnlyGrid(list_);
    listModel_ = new TableGridModel(source(), d_.browse.listColumns, false, this);
    connectFaults(listModel_);
    connectFaults(new GridBinding(*listModel_, list_));
    for (int column = 0; column + 1 < d_.browse.listColumns.size(); ++column)
        list_->setColumnWidth(column, 70);
    browsingControls_ << list_;
    return list_;
}

void RegisterWindow::buildBrowsePage() {
    browsePage_ = new QWidget(pages_);
    browsePage_->setObjectName(d_.browse.name);
    if (d_.detail)
        detailPanel_ = new DetailPanel(*d_.detail, table(), context_.tdm.source(*d_.detail->table),
                                       browsePage_);
    auto* layout = new QVBoxLayout(browsePage_);
    layout->addWidget(buildHeadingRow(browsePage_));

    auto* splitter = new QSplitter(Qt::Horizontal, browsePage_);
    splitter->setChildrenCollapsible(false);
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    if (!d_.browse.listColumns.isEmpty())
        leftLayout->addWidget(buildList(left), 1);
    places_.insert(PagePlace::BelowList, newPlace());
    leftLayout->addLayout(places_.value(PagePlace::BelowList));
    navigator_ = new Navigator(source(), context_.dialogs, d_.browse.navigator, left);
    navigator_->setObjectName(u"navigator"_s);
    leftLayout->addWidget(navigator_);
    if (d_.find)
        leftLayout->addWidget(buildFindGroup(left));

    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    // A record with rows of its own shows them under its panel, where the room is theirs.
    rightLayout->addWidget(buildRecordPanel(), detailPanel_ ? 0 : 1);
    if (detailPanel_)
        rightLayout->addWidget(detailPanel_, 1);
    places_.insert(PagePlace::BelowPanel, newPlace());
    rightLayout->addLayout(places_.value(PagePlace::BelowPanel));
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    layout->addWidget(splitter, 1);
    browsingControls_ << navigator_;
    pages_->addWidget(browsePage_);
}

QGroupBox* RegisterWindow::buildFindGroup(QWidget* page) {
    const FindGroup& def = *d_.find;
    findGroup_ = new QGroupBox(def.title, page);
    findGroup_->setObjectName(u"findGroup"_s);
    const QString startField = !def.startField.isEmpty() ? def.startField
                               : def.options.isEmpty()   ? d_.nameField
                                                         : def.options[0].field;
    findBox_ = new FindBox(source(), startField, def.startLength, findGroup_);
    findBox_->setObjectName(u"findBox"_s);
    findBox_->setContextMenuPolicy(Qt::NoContextMenu); // the window's pop-up instead
    connectFaults(findBox_);
    auto* result = new QLabel(findGroup_);
    result->setObjectName(u"findResult"_s);
    result->setFont(boldOf(result->font()));
    result->setMinimumWidth(result->fontMetrics().horizontalAdvance(def.notFoundText) + 8);
    // The label keeps its place while hidden, so the group does not shift at every key.
    QSizePolicy policy = result->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    result->setSizePolicy(policy);
    findBox_->setResultLabel(result, def.foundText, def.notFoundText);
    auto* boxRow = new QHBoxLayout;
    if (!def.caption.isEmpty()) {
        auto* caption = new QLabel(def.caption, findGroup_);
        caption->setObjectName(u"findCaption"_s);
        caption->setBuddy(findBox_);
        boxRow->addWidget(caption);
    }
    boxRow->addWidget(findBox_, 1);
    FindBox* rowsFind = detailPanel_ ? detailPanel_->findBox() : nullptr;
    if (rowsFind) {
        rowsFind->setResultLabel(result, d_.detail->foundText, d_.detail->notFoundText);
        boxRow->addWidget(rowsFind, 1);
    }
    boxRow->addWidget(result);

    for (int i = 0; i < def.options.size(); ++i) {
        auto* radio = new QRadioButton(def.options[i].label, findGroup_);
        radio->setObjectName(u"findOption"_s + QString::number(i));
        radio->setChecked(i == 0 && def.firstChosenAtStart);
        connect(radio, &QRadioButton::clicked, this, [this, i] { chooseFindOption(i); });
        findOptions_ << radio;
    }
    if (rowsFind) {
        auto* radio = new QRadioButton(d_.detail->findOption, findGroup_);
        radio->setObjectName(u"findOption"_s + QString::number(findOptions_.size()));
        connect(radio, &QRadioButton::clicked, this, &RegisterWindow::chooseDetailFind);
        findOptions_ << radio;
    }
    if (def.stacked) {
        findBox_->setMinimumWidth(fontMetrics().horizontalAdvance(u'M') * 13);
        auto* layout = new QVBoxLayout(findGroup_);
        layout->setSpacing(6);
        for (int i = 0; i <= findOptions_.size(); ++i) {
            if (i == def.optionsAboveBox)
                layout->addLayout(boxRow);
            if (i < findOptions_.size())
                layout->addWidget(findOptions_[i]);
        }
    } else {
        auto* layout = new QVBoxLayout(findGroup_);
        layout->addLayout(boxRow);
        auto* options = new QHBoxLayout;
        for (QRadioButton* radio : std::as_const(findOptions_))
            options->addWidget(radio);
        options->addStretch();
        layout->addLayout(options);
    }
    browsingControls_ << findGroup_;
    return findGroup_;
}

QWidget* RegisterWindow::buildRecordPanel() {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::StyledPanel);
    auto* panel = new QWidget;
    panel->setObjectName(u"recordPanel"_s);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);
    // The rows at the left, a record's pictures beside them at the top right; the rows keep
    // their height and the room left stays below.
    auto* panelLayout = new QHBoxLayout(panel);
    auto* rows = new QVBoxLayout;
    auto* form = new QFormLayout;
    rows->addLayout(form);
    rows->addStretch(1);
    panelLayout->addLayout(rows, 1);
    QVBoxLayout* pictures = nullptr;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignTop);
    form->setVerticalSpacing(8);
    for (const PanelField& line : std::as_const(d_.browse.panel)) {
        const QString first = line.fields.value(0);
        QWidget* single = nullptr;
        switch (line.kind) {
        case PanelKind::Memo: {
            auto* memo = new QPlainTextEdit(panel);
            memo->setReadOnly(true);
            memo->setFocusPolicy(Qt::ClickFocus);
            memo->setMinimumHeight(70);
            memo->setMaximumHeight(170);
            memo->setContextMenuPolicy(Qt::NoContextMenu); // the window's pop-up instead
            connectFaults(new MemoBinding(source(), first, memo, 240));
            single = memo;
            break;
        }
        case PanelKind::Check: {
            auto* check = new QCheckBox(panel);
            // Shows the field; nothing on the browse page changes a record.
            check->setAttribute(Qt::WA_TransparentForMouseEvents);
            check->setFocusPolicy(Qt::NoFocus);
            connectFaults(new CheckBinding(source(), first, check));
            single = check;
            break;
        }
        case PanelKind::Link: {
            auto* link = new WebLink(panel);
            connect(link, &WebLink::openRequested, this, [this](const QString& text) {
                // A catalogue field never starts a program: only web addresses go out.
                if (const std::optional<QUrl> address = webAddressOf(text))
                    context_.shell.openLink(address->toString());
                else
                    context_.dialogs.message(this, notAWebAddressMessage(text));
            });
            connectFaults(new LabelBinding(source(), first, link));
            single = link;
            break;
        }
        case PanelKind::Picture: {
            auto* picture = new QLabel(panel);
            picture->setObjectName(u"panel_"_s + first);
            picture->setScaledContents(true);
            picture->setFixedSize(240, 180);
            picture->setFrameShape(QFrame::StyledPanel);
            connectFaults(new PictureBinding(source(), first, picture));
            if (!pictures) {
                pictures = new QVBoxLayout;
                panelLayout->addLayout(pictures);
            }
            pictures->addWidget(picture);
            continue;
        }
        case PanelKind::Text:
            break;
        }
        if (single) {
            single->setObjectName(u"panel_"_s + first);
            form->addRow(captionLabel(line.label, panel), single);
            continue;
        }
        auto* values = new QVBoxLayout;
        values->setSpacing(2);
        for (const QString& name : line.fields) {
            auto* value = valueLabel(panel);
            value->setObjectName(u"panel_"_s + name);
            if (line.emphasised) {
                QFont larger = boldOf(value->font());
                larger.setPointSizeF(larger.pointSizeF() * 1.3);
                value->setFont(larger);
            }
            connectFaults(new LabelBinding(source(), name, value));
            if (line.suffix.isEmpty()) {
                values->addWidget(value);
                continue;
            }
            auto* row = new QHBoxLayout;
            value->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
            value->setMinimumWidth(0);
            row->addWidget(value);
            auto* suffix = new QLabel(line.suffix, panel);
            makeRoomForMarks(suffix);
            row->addWidget(suffix);
            row->addStretch();
            values->addLayout(row);
        }
        form->addRow(captionLabel(line.label, panel), values);
    }
    if (pictures)
        pictures->addStretch(1);
    scroll->setWidget(panel);
    return scroll;
}

// --- the controls of an entry ---------------------------------------------------------------

QWidget* RegisterWindow::buildEditControl(const EditField& field, QWidget* page,
                                          const QString& namePrefix) {
    QWidget* control = nullptr;
    switch (field.kind) {
    case EditKind::Line: {
        auto* edit = new QLineEdit(page);
        connectFaults(new LineEditBinding(source(), field.field, edit));
        if (field.maxLength > 0)
            edit->setMaxLength(field.maxLength);
        control = edit;
        break;
    }
    case EditKind::Spin: {
        auto* spin = new QSpinBox(page);
        spin->setRange(field.minimum, field.maximum);
        spin->setMinimumWidth(90);
        control = spin;
        break;
    }
    case EditKind::PickList: {
        auto* combo = new QComboBox(page);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(20);
        QStringList items = field.items;
        if (field.sorted)
            sortForPeople(items);
        combo->addItems(items);
        combo->setCurrentIndex(-1);
        connectFaults(new ComboBinding(source(), field.field, combo));
        combo->view()->installEventFilter(this); // ESC in the open list closes the list only
        if (!field.remembered.isEmpty())
            pickLists_ << std::pair{field.field, combo};
        control = combo;
        break;
    }
    case EditKind::Memo: {
        auto* memo = new QPlainTextEdit(page);
        memo->setTabChangesFocus(true);
        memo->setMinimumHeight(70);
        memo->setContextMenuPolicy(Qt::NoContextMenu); // the window's pop-up instead
        connectFaults(new MemoBinding(source(), field.field, memo, field.maxLength));
        control = memo;
        break;
    }
    case EditKind::Check: {
        auto* check = new QCheckBox(field.label, page);
        if (!field.writtenAtOk)
            connectFaults(new CheckBinding(source(), field.field, check));
        control = check;
        break;
    }
    case EditKind::Date: {
        auto* date = new QDateEdit(page);
        date->setCalendarPopup(true);
        date->setDisplayFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
        control = date;
        break;
    }
    case EditKind::Picture:
        control = new PictureBox(page);
        break;
    case EditKind::Radio: {
        auto* group = new QGroupBox(field.label, page);
        auto* layout = new QVBoxLayout(group);
        for (const QString& choice : field.items) {
            auto* radio = new QRadioButton(choice, group);
            radio->setObjectName(u"radio_"_s + choice);
            layout->addWidget(radio);
        }
        control = group;
        break;
    }
    }
    control->setObjectName(namePrefix + field.field);
    if (field.keyFilter)
        new DigitsFilter(context_.dialogs, *field.keyFilter, control);
    editControls_.insert(field.field, control);
    entryOrder_ << control;
    return control;
}

// The entry's controls in columns of label and control; memos span the columns below them
// and take the height that is left.
QWidget* RegisterWindow::buildEntryColumns(QWidget* page, const QString& namePrefix) {
    auto* area = new QWidget(page);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* columnsBox = new QWidget(area);
    columnsBox->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* columns = new QHBoxLayout(columnsBox);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(28); // between the columns; the forms set their own row spacing
    QList<QFormLayout*> forms;
    auto* memos = new QGridLayout;
    memos->setColumnStretch(1, 1);
    int memoRows = 0;
    for (const EditField& field : std::as_const(d_.editFields)) {
        QWidget* control = buildEditControl(field, area, namePrefix);
        const bool ownText = field.kind == EditKind::Check || field.kind == EditKind::Radio;
        QLabel* label = nullptr;
        if (!ownText) {
            label = new QLabel(field.label, area);
            label->setObjectName(u"label_"_s + field.field);
            label->setBuddy(control);
            editLabels_.insert(field.field, label);
        }
        if (field.kind == EditKind::Memo) {
            const int row = memoRows++;
            memos->addWidget(label, row, 0, Qt::AlignTop | Qt::AlignRight);
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
        // Boxes for a few digits need not span the column.
        const int schemaField = d_.table->fieldIndex(field.field);
        const int size = field.maxLength > 0 ? field.maxLength
                         : schemaField >= 0  ? d_.table->fields[schemaField].size
                                             : 0;
        if (field.kind == EditKind::Spin || (field.kind == EditKind::Line && size > 0 && size <= 6))
            control->setMaximumWidth(control->fontMetrics().horizontalAdvance(u'0') * 12 + 28);
        QFormLayout* form = forms[field.column];
        if (field.note.isEmpty()) {
            if (label)
                form->addRow(label, control);
            else
                form->addRow(QString(), control);
            continue;
        }
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        row->addWidget(control, field.kind == EditKind::Line ? 0 : 1);
        row->addWidget(new QLabel(field.note, area));
        row->addStretch();
        form->addRow(label, row);
    }
    layout->addWidget(columnsBox);
    if (memoRows > 0) {
        layout->addSpacing(6);
        layout->addLayout(memos, 1);
    } else {
        delete memos;
        layout->addStretch(1);
    }
    return area;
}

QWidget* RegisterWindow::buildRecordButtons(QWidget* page) {
    auto* row = new QWidget(page);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const RecordButtons record = makeRecordButtons(row, u"OkKnp"_s, u"CancelKnp"_s, u"TipKnp"_s);
    okButton_ = record.ok;
    cancelButton_ = record.cancel;
    tipButton_ = record.tip;
    connect(okButton_, &QPushButton::clicked, this, [this] { controller_->accept(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { controller_->cancel(); });
    connect(tipButton_, &QPushButton::clicked, this,
            [this] { context_.shell.showTips(d_.editTips); });
    if (d_.layout == RegisterLayout::OnePage) {
        // Navigator, OK, Cancel, the register's own buttons, Tip.
        layout->addWidget(navigator_);
        layout->addStretch();
        layout->addWidget(okButton_);
        layout->addWidget(cancelButton_);
        places_.insert(PagePlace::ButtonRow, new QHBoxLayout);
        layout->addLayout(places_.value(PagePlace::ButtonRow));
        layout->addSpacing(12);
        layout->addWidget(tipButton_);
    } else {
        layout->addWidget(tipButton_);
        layout->addStretch();
        layout->addWidget(okButton_);
        layout->addWidget(cancelButton_);
    }
    return row;
}

void RegisterWindow::buildEditPage() {
    editPage_ = new QWidget(pages_);
    editPage_->setObjectName(d_.editPage);
    auto* layout = new QVBoxLayout(editPage_);
    auto* entry = new QHBoxLayout;
    entry->addWidget(buildEntryColumns(editPage_, u"edit_"_s), 1);
    places_.insert(PagePlace::EditSide, newPlace());
    entry->addLayout(places_.value(PagePlace::EditSide));
    layout->addLayout(entry, 1);
    layout->addWidget(buildRecordButtons(editPage_));
    pages_->addWidget(editPage_);
}

// --- the one page ---------------------------------------------------------------------------

void RegisterWindow::buildOnePage() {
    browsePage_ = new QWidget(pages_);
    browsePage_->setObjectName(d_.browse.name);
    auto* layout = new QVBoxLayout(browsePage_);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(10);
    places_.insert(PagePlace::PageTop, newPlace());
    layout->addLayout(places_.value(PagePlace::PageTop));
    if (!d_.heading.text.isEmpty() || d_.browse.picture)
        layout->addWidget(buildHeadingRow(browsePage_));

    auto* middle = new QHBoxLayout;
    middle->setSpacing(14);
    if (!d_.browse.listColumns.isEmpty())
        middle->addWidget(buildList(browsePage_), 1);
    auto* boxes = new QGroupBox(browsePage_);
    boxes->setObjectName(u"recordPanel"_s);
    auto* boxesLayout = new QVBoxLayout(boxes);
    boxesLayout->addWidget(buildEntryColumns(boxes, u"box_"_s));
    places_.insert(PagePlace::UnderBoxes, newPlace());
    boxesLayout->addLayout(places_.value(PagePlace::UnderBoxes));
    boxesLayout->addStretch(1);
    middle->addWidget(boxes, 1);
    if (d_.find)
        middle->addWidget(buildFindGroup(browsePage_), 0, Qt::AlignTop);
    layout->addLayout(middle, 1);

    navigator_ = new Navigator(source(), context_.dialogs, d_.browse.navigator, browsePage_);
    navigator_->setObjectName(u"navigator"_s);
    browsingControls_ << navigator_;
    layout->addWidget(buildRecordButtons(browsePage_));
    places_.insert(PagePlace::PageBottom, newPlace());
    layout->addLayout(places_.value(PagePlace::PageBottom));
    pages_->addWidget(browsePage_);
}

// --- the master list ------------------------------------------------------------------------

void RegisterWindow::buildMasterListPage() {
    const MasterListPage& def = *d_.masterList;
    masterPage_ = new QWidget(pages_);
    masterPage_->setObjectName(def.name);
    auto* layout = new QVBoxLayout(masterPage_);
    auto* top = new QHBoxLayout;
    auto* findLabel = new QLabel(def.findLabel, masterPage_);
    masterFind_ = new FindBox(source(), def.findField, FindBox::kNoLimit, masterPage_);
    masterFind_->setObjectName(u"masterFindBox"_s);
    masterFind_->setToolTip(def.findHint);
    masterFind_->setMinimumWidth(220);
    findLabel->setBuddy(masterFind_);
    connectFaults(masterFind_);
    masterNavigator_ = new Navigator(source(), context_.dialogs, def.navigator, masterPage_);
    masterNavigator_->setObjectName(u"masterNavigator"_s);
    masterTips_ = new QPushButton(registerIcon(Icon::Tip), QString(), masterPage_);
    masterTips_->setObjectName(u"masterTips"_s);
    masterTips_->setToolTip(def.tipsHint);
    masterTips_->setAutoDefault(false);
    connect(masterTips_, &QPushButton::clicked, this,
            [this] { context_.shell.showTips(d_.masterList->tips); });
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
    masterModel_ = new TableGridModel(source(), def.columns, true, this);
    connectFaults(masterModel_);
    connectFaults(new GridBinding(*masterModel_, masterGrid_));
    const QFontMetrics metrics = masterGrid_->fontMetrics();
    for (int column = 0; column < def.columns.size(); ++column) {
        const GridColumn& col = def.columns[column];
        // Short fields get the width of their title, names and other texts some room.
        const int field = d_.table->fieldIndex(col.field);
        const FieldDef* known = field >= 0 ? &d_.table->fields[field] : nullptr;
        const bool narrow =
            known && (known->type != FieldType::Text || (known->size > 0 && known->size <= 12));
        int width = metrics.horizontalAdvance(col.title) + 24;
        if (!narrow)
            width = std::max(width, metrics.horizontalAdvance(u"M"_s) * 12);
        if (col.field.compare(d_.nameField, Qt::CaseInsensitive) == 0)
            width = std::max(width, metrics.horizontalAdvance(u"M"_s) * 18);
        masterGrid_->setColumnWidth(column, width);
    }
    layout->addWidget(masterGrid_, 1);
    QWidget::setTabOrder(masterFind_, masterNavigator_);
    QWidget::setTabOrder(masterTips_, masterGrid_);
    // In the place kept for it, which is never the current page.
    replacePage(masterPlace_, masterPage_);
    delete std::exchange(masterPlace_, nullptr);
}

// --- the tab order --------------------------------------------------------------------------

namespace {

// The controls of a widget that the TAB key stops at, in the order they were made.
QList<QWidget*> tabStops(QWidget* widget) {
    QList<QWidget*> stops;
    if (widget->focusPolicy() & Qt::TabFocus)
        stops << widget;
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        if (child->focusPolicy() & Qt::TabFocus)
            stops << child;
    }
    return stops;
}

QList<QWidget*> tabStopsOf(QLayout* layout) {
    QList<QWidget*> stops;
    for (int i = 0; layout && i < layout->count(); ++i) {
        if (QWidget* widget = layout->itemAt(i)->widget())
            stops << tabStops(widget);
    }
    return stops;
}

void chain(QList<QWidget*> order) {
    order.removeAll(nullptr);
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

} // namespace

void RegisterWindow::updateTabOrder() {
    QList<QWidget*> find;
    if (findBox_) {
        const int above = d_.find->stacked ? d_.find->optionsAboveBox : 0;
        for (int i = 0; i <= findOptions_.size(); ++i) {
            if (i == above)
                find << findBox_;
            if (i < findOptions_.size())
                find << findOptions_[i];
        }
    }
    QList<QWidget*> moves;
    for (const NavButtonDef& def : std::as_const(d_.browse.navigator))
        moves << navigator_->button(def.button);
    if (d_.layout == RegisterLayout::OnePage) {
        // The boxes, the navigator, the buttons, what stands below them, the find group.
        QList<QWidget*> order;
        if (list_)
            order << list_;
        order << entryOrder_ << tabStopsOf(places_.value(PagePlace::UnderBoxes)) << moves
              << okButton_ << cancelButton_ << tabStopsOf(places_.value(PagePlace::ButtonRow))
              << tipButton_ << tabStopsOf(places_.value(PagePlace::PageBottom)) << find;
        chain(order);
        return;
    }
    chain(QList<QWidget*>{list_} + moves + find);
    chain(entryOrder_ + QList<QWidget*>{okButton_, cancelButton_, tipButton_});
}

} // namespace hoardly
