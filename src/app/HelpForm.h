#pragma once

#include "HelpBook.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace hoardly {

// The program's help viewer: the book's contents and an index to type into beside the page.
class THelpForm final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(THelpForm)
public:
    explicit THelpForm(const QString& directory, QWidget* parent = nullptr);

    // Shows the window at its contents, on the book's first page, on the screen the user
    // looks at and no larger than it.
    void openContents();
    // Shows the page of a target ("page.html" or "page.html#anchor").
    void showTarget(const QString& target);

    const HelpBook& book() const { return book_; }
    QTextBrowser* browser() const { return browser_; }
    QLineEdit* indexEdit() const { return indexEd_; }
    QListWidget* indexList() const { return indexList_; }
    QListWidget* contentsList() const { return contentsList_; }
    QTabWidget* tabs() const { return tabs_; }

private:
    QWidget* buildContentsTab();
    QWidget* buildIndexTab();
    void IndexEdChange(const QString& text);
    void showIndexEntry(int row);
    void showMissingBook();
    void fitOnScreen();

    HelpBook book_;
    QTabWidget* tabs_;
    QListWidget* contentsList_;
    QLineEdit* indexEd_;
    QListWidget* indexList_;
    QTextBrowser* browser_;
};

} // namespace hoardly
