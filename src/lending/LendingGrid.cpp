#include "LendingGrid.h"

#include "Lending.h"
#include "data/Errors.h"
#include "data/GridModels.h"
#include "data/TDM.h"
#include "ui/BoundControls.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Icons.h"
#include "ui/Shell.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

struct LendingColumn {
    QString field;
    QString overviewTitle;
    QString tabTitle;
};

const QList<LendingColumn>& lendingColumns() {
    static const QList<LendingColumn> columns{
        {u"Objektyp"_s, u"Objectype"_s, u"Objectype"_s},
        {u"Objekt"_s, u"Object"_s, u"Object"_s},
        {u"Utlanad datum"_s, u"Lent out date"_s, u"Lent date"_s},
        {u"Utlanad till"_s, u"Lent to"_s, u"Lent to"_s},
        {u"Tele"_s, u"Phone"_s, u"Phone"_s},
    };
    return columns;
}

QList<GridColumn> gridColumns(LendingPlace place) {
    QList<GridColumn> columns;
    for (const LendingColumn& column : lendingColumns())
        columns << GridColumn{column.field, place == LendingPlace::Overview ? column.overviewTitle
                                                                            : column.tabTitle};
    return columns;
}

QString returnCaption(LendingPlace place) {
    return place == LendingPlace::Overview ? u"Delete record"_s : u"Mark as returned"_s;
}

QString noReminderMessage(LendingPlace place) {
    return place == LendingPlace::Overview ? u"A reminder will not be send to the borrower"_s
                                           : u"No reminder will be sent for this object"_s;
}

QAction* addToolAction(QToolBar* bar, const QIcon& icon, const QString& hint, const QString& name) {
    QAction* action = bar->addAction(icon, hint);
    action->setToolTip(hint);
    action->setObjectName(name);
    return action;
}

} // namespace

LendingGrid::LendingGrid(AppContext& context, LendingPlace place, QWidget* parent)
    : QWidget(parent), context_(context), place_(place) {
    setObjectName(u"LendingGrid"_s);
    DataSource& source = context_.tdm.source(schema::borrow());
    model_ = std::make_unique<TableGridModel>(source, gridColumns(place), false);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(u"LendingToolBar"_s);
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar_->setIconSize(QSize(24, 24));
    if (place == LendingPlace::Overview) {
        backAction_ = addToolAction(toolBar_, registerIcon(Icon::Back), u"Back"_s, u"BackKnp"_s);
        connect(backAction_, &QAction::triggered, this, &LendingGrid::backClicked);
    }
    returnAction_ = addToolAction(toolBar_, registerIcon(Icon::Returned), u"Mark as returned"_s,
                                  u"ReturnKnp"_s);
    noReminderAction_ =
        addToolAction(toolBar_, registerIcon(Icon::NoReminder),
                      u"Don't send any reminder for this object"_s, u"NoReminderKnp"_s);
    noReminderAction_->setEnabled(false);
    connect(returnAction_, &QAction::triggered, this, &LendingGrid::ReturnKnpClick);
    connect(noReminderAction_, &QAction::triggered, this, &LendingGrid::NoReminderKnpClick);

    grid_ = new QTableView(this);
    grid_->setObjectName(u"BorrowGrid"_s);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    auto* binding = new GridBinding(*model_, grid_);
    connect(binding, &GridBinding::failed, this,
            [this](const QString& text) { context_.dialogs.errorBox(this, text); });
    grid_->setColumnWidth(0, 80);
    grid_->setColumnWidth(1, 190);
    grid_->setColumnWidth(2, 100);
    grid_->setColumnWidth(3, 150);
    connect(grid_, &QTableView::clicked, this, &LendingGrid::updateNoReminder);
    grid_->installEventFilter(this);
    // The loans also change under the grid (the other place, the reminder scan): the button
    // follows the record that is current, whatever moved it.
    Table& borrow = source.table();
    connect(&borrow, &Table::currentChanged, this, &LendingGrid::updateNoReminder);
    connect(&borrow, &Table::recordsChanged, this, &LendingGrid::updateNoReminder);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(grid_, 1);
}

LendingGrid::~LendingGrid() = default;

void LendingGrid::activate() {
    updateNoReminder();
    grid_->setFocus(Qt::OtherFocusReason);
}

bool LendingGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyRelease)
        updateNoReminder();
    return QWidget::eventFilter(watched, event);
}

void LendingGrid::updateNoReminder() {
    bool applies = false;
    try {
        applies = reminderCanBeSwitchedOff(context_.tdm.borrowTb());
    } catch (const StoreError&) {
        // A lending table without its reminder fields offers nothing to switch off; the
        // commands that write it report the fault.
    }
    noReminderAction_->setEnabled(applies);
}

void LendingGrid::ReturnKnpClick() {
    runCommand(context_.dialogs, this, [this] {
        Table& borrow = context_.tdm.borrowTb();
        if (!borrow.isOpen() || borrow.isEmpty())
            return;
        const QString objekt = borrow.asText(u"Objekt"_s);
        if (!context_.dialogs.question(this, returnCaption(place_),
                                       u"Do you want to mark the object [ "_s + objekt +
                                           u" ] as returned?"_s))
            return;
        returnCurrentLoan(context_.tdm);
        context_.run.dataChanged = true;
    });
    updateNoReminder();
}

void LendingGrid::NoReminderKnpClick() {
    runCommand(context_.dialogs, this, [this] {
        Table& borrow = context_.tdm.borrowTb();
        if (!reminderCanBeSwitchedOff(borrow))
            return;
        switchOffReminder(borrow);
        context_.dialogs.info(this, u"No reminder"_s, noReminderMessage(place_));
    });
    updateNoReminder();
}

} // namespace hoardly
