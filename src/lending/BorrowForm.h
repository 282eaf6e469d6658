#pragma once

#include <QDialog>

namespace hoardly {

class LendingGrid;
struct AppContext;

// The lent-out overview: every loan, with "Back", "Mark as returned" and "Don't send any
// reminder for this object". Built once and only hidden.
class TBorrowForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBorrowForm)
public:
    explicit TBorrowForm(AppContext& context, QWidget* parent = nullptr);
    LendingGrid& lendingGrid() const { return *lendingGrid_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    LendingGrid* lendingGrid_;
};

} // namespace hoardly
