#include "Navigator.h"

#include "data/DataSource.h"
#include "data/Table.h"
#include "ui/Commands.h"
#include "ui/Icons.h"

#include <QHBoxLayout>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

Icon iconOf(NavButton button) {
    switch (button) {
    case NavButton::First:
        return Icon::First;
    case NavButton::Prior:
        return Icon::Prior;
    case NavButton::Next:
        return Icon::Next;
    case NavButton::Last:
        return Icon::Last;
    case NavButton::Add:
        return Icon::Add;
    case NavButton::Delete:
        return Icon::Delete;
    case NavButton::Edit:
        return Icon::Edit;
    case NavButton::Post:
        return Icon::Post;
    case NavButton::Cancel:
        return Icon::Cancel;
    case NavButton::Refresh:
        return Icon::Refresh;
    }
    return Icon::None;
}

QString nameOf(NavButton button) {
    static const QStringList names{u"first"_s,  u"prior"_s, u"next"_s, u"last"_s,   u"add"_s,
                                   u"delete"_s, u"edit"_s,  u"post"_s, u"cancel"_s, u"refresh"_s};
    return names.value(int(button));
}

} // namespace

QList<NavButtonDef> Navigator::moves(const QStringList& hints) {
    const QStringList texts = hints.size() == 4 ? hints
                                                : QStringList{u"First record"_s, u"Prior record"_s,
                                                              u"Next record"_s, u"Last record"_s};
    return {{NavButton::First, texts[0]},
            {NavButton::Prior, texts[1]},
            {NavButton::Next, texts[2]},
            {NavButton::Last, texts[3]}};
}

Navigator::Navigator(DataSource& source, Dialogs& dialogs, const QList<NavButtonDef>& buttons,
                     QWidget* parent)
    : QWidget(parent), source_(source), dialogs_(dialogs) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (const NavButtonDef& def : buttons) {
        auto* button = new QToolButton(this);
        button->setObjectName(nameOf(def.button));
        button->setIcon(registerIcon(iconOf(def.button)));
        button->setIconSize(QSize(18, 18));
        button->setToolTip(def.hint);
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::TabFocus);
        const NavButton which = def.button;
        connect(button, &QToolButton::clicked, this, [this, which] { press(which); });
        layout->addWidget(button);
        buttons_.insert(int(def.button), button);
    }
    layout->addStretch();
    Table& table = source_.table();
    connect(&table, &Table::currentChanged, this, &Navigator::updateButtons);
    connect(&table, &Table::recordsChanged, this, &Navigator::updateButtons);
    connect(&table, &Table::stateChanged, this, &Navigator::updateButtons);
    updateButtons();
}

void Navigator::press(NavButton button) {
    runCommand(dialogs_, this, [&] { perform(button); });
    updateButtons();
    emit clicked(button);
}

void Navigator::perform(NavButton button) {
    Table& table = source_.table();
    if (!table.isOpen())
        return;
    switch (button) {
    case NavButton::First:
        table.first();
        break;
    case NavButton::Prior:
        table.prior();
        break;
    case NavButton::Next:
        table.next();
        break;
    case NavButton::Last:
        table.last();
        break;
    case NavButton::Add:
        table.append();
        break;
    case NavButton::Delete:
        if (table.state() == TableState::Insert || !table.isEmpty())
            table.remove();
        break;
    case NavButton::Edit:
        if (!table.isEmpty())
            table.edit();
        break;
    case NavButton::Post:
        table.post();
        break;
    case NavButton::Cancel:
        table.cancel();
        break;
    case NavButton::Refresh:
        table.refresh();
        break;
    }
}

void Navigator::updateButtons() {
    const Table& table = source_.table();
    const bool open = table.isOpen();
    const int count = table.recordCount();
    const int position = table.position();
    const bool browsing = table.state() == TableState::Browse;
    const bool inserting = table.state() == TableState::Insert;
    const auto set = [this](NavButton button, bool enabled) {
        if (QToolButton* b = buttons_.value(int(button)))
            b->setEnabled(enabled);
    };
    // A record being inserted stands after the last one.
    set(NavButton::First, open && (inserting ? count > 0 : position > 0));
    set(NavButton::Prior, open && (inserting ? count > 0 : position > 0));
    set(NavButton::Next, open && !inserting && position + 1 < count);
    set(NavButton::Last, open && !inserting && position + 1 < count);
    set(NavButton::Add, open);
    set(NavButton::Delete, open && (inserting || count > 0));
    set(NavButton::Edit, open && browsing && count > 0);
    set(NavButton::Post, open && !browsing);
    set(NavButton::Cancel, open && !browsing);
    set(NavButton::Refresh, open);
}

} // namespace hoardly
