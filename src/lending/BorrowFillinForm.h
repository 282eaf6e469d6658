#pragma once

#include "Lending.h"

#include <QDate>
#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace hoardly {

class AddressBookHandOff;
struct AppContext;

// The lend-out dialog: who borrows the pending object, and whether to remind him and file him
// in the address book. Built once and only hidden, so each lend-out starts with the entries of
// the one before.
class TBorrowFillinForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBorrowFillinForm)
public:
    using Today = std::function<QDate()>;

    explicit TBorrowFillinForm(AppContext& context, QWidget* parent = nullptr);

    // The full name of the pending object; the lend-out writes it and finds the record by it.
    void setObjectLabel(const QString& name);
    QString objectLabel() const { return objekt_; }

    void setToday(Today today) { today_ = std::move(today); }
    // Without an address book the box that files the borrower is disabled.
    void setAddressBook(AddressBookHandOff* addressBook);

    void OkKnpClick();
    void CancelKnpClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    BorrowerEntry entry() const;
    // Runs the checks; shows the first that fails and moves the focus to its edit.
    bool refused();
    QLineEdit* editOf(BorrowerField field) const;
    void handOffBorrower(const BorrowerEntry& borrower);

    AppContext& context_;
    Today today_;
    AddressBookHandOff* addressBook_ = nullptr;
    QString objekt_;

    QLabel* objectLabel_;
    QLineEdit* firstNameEd_;
    QLineEdit* lastNameEd_;
    QLineEdit* phoneEd_;
    QLineEdit* emailEd_;
    QCheckBox* remindBox_;
    QCheckBox* addressBox_;
    QPushButton* okKnp_;
    QPushButton* cancelKnp_;
};

} // namespace hoardly
