#pragma once

#include <QDialog>

class QRadioButton;
class QPushButton;

namespace hoardly {

class TBorrowFillinForm;
class TBorrowForm;
struct AppContext;

// The choice after a register's lending command: see every loan, or lend the pending object.
class TBorrowChoiceForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBorrowChoiceForm)
public:
    TBorrowChoiceForm(AppContext& context, TBorrowFillinForm& fillinForm, TBorrowForm& borrowForm,
                      QWidget* parent = nullptr);

    void OkKnpClick();
    void CancelKnpClick();

private:
    void newLending();

    AppContext& context_;
    TBorrowFillinForm& fillinForm_;
    TBorrowForm& borrowForm_;
    QRadioButton* listRadio_;
    QRadioButton* newLendingRadio_;
};

} // namespace hoardly
