#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

class QToolButton;

namespace hoardly {

class DataSource;
class Dialogs;

// The buttons a navigator can have, in the order it shows them.
enum class NavButton { First, Prior, Next, Last, Add, Delete, Edit, Post, Cancel, Refresh };

struct NavButtonDef {
    NavButton button;
    QString hint;
};

// The navigator bound to a data source: moves through the table and, in its full form, adds,
// deletes (without asking), edits, posts, cancels and re-reads. Its buttons are enabled by the
// position and the edit state of the table. Store errors go to the default error box.
class Navigator final : public QWidget {
    Q_OBJECT
public:
    Navigator(DataSource& source, Dialogs& dialogs, const QList<NavButtonDef>& buttons,
              QWidget* parent = nullptr);

    QToolButton* button(NavButton button) const { return buttons_.value(int(button)); }
    void press(NavButton button);

    // The first, prior, next and last buttons with the usual hints.
    static QList<NavButtonDef> moves(const QStringList& hints = {});

signals:
    // After every click on a button, once the table has done what it asked.
    void clicked(hoardly::NavButton button);

private:
    void updateButtons();
    void perform(NavButton button);

    DataSource& source_;
    Dialogs& dialogs_;
    QHash<int, QToolButton*> buttons_;
};

} // namespace hoardly
