#pragma once

#include <QWidget>
#include <memory>

class QAction;
class QTableView;
class QToolBar;

namespace hoardly {

class GridBinding;
class TableGridModel;
struct AppContext;

// The two places that show the loans: the lent-out overview window and the properties
// window's "Lending" tab. Their grid and commands are the same; some texts differ.
enum class LendingPlace { Overview, PropertiesTab };

// The lending table in a read-only grid with its tool bar: "Mark as returned", "Don't send any
// reminder for this object" and, in the overview, "Back".
class LendingGrid final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LendingGrid)
public:
    LendingGrid(AppContext& context, LendingPlace place, QWidget* parent = nullptr);
    ~LendingGrid() override;

    QTableView* grid() const { return grid_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* backAction() const { return backAction_; } // nullptr on the properties tab
    QAction* returnAction() const { return returnAction_; }
    QAction* noReminderAction() const { return noReminderAction_; }

    // The window was activated or the tab shown: the button follows the current loan and the
    // focus goes to the grid.
    void activate();

    void ReturnKnpClick();
    void NoReminderKnpClick();

signals:
    void backClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateNoReminder();

    AppContext& context_;
    LendingPlace place_;
    std::unique_ptr<TableGridModel> model_;
    QToolBar* toolBar_;
    QTableView* grid_;
    QAction* backAction_ = nullptr;
    QAction* returnAction_;
    QAction* noReminderAction_;
};

} // namespace hoardly
