#pragma once

#include "RegisterWindow.h"
#include "lending/LendingInterfaces.h"

class QPushButton;

namespace hoardly {

// The address book: one page whose boxes show the current address read-only while browsing
// and open for typing while a record is added or edited, with a find group over five fields.
RegisterDescription adressDescription();

// The address book's window: the one-page register of adressDescription() with a bar of
// letter buttons and the record count. It is built once at start-up; closing only hides it.
// The lend-out dialog files a borrower through it.
class TAdressForm final : public RegisterWindow, public AddressBookHandOff {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAdressForm)
public:
    explicit TAdressForm(AppContext& context, QWidget* parent = nullptr);

    bool inLendOutMode() const { return lendOutMode_; }
    QLabel* countLabel() const { return countLabel_; }
    QWidget* letterBar() const { return letterBar_; }
    QPushButton* letterButton(QChar letter) const;
    void letterClick(QChar letter);

    // AddressBookHandOff
    void enterLendOutMode() override;
    void addBorrower(const QString& firstName, const QString& lastName, const QString& phone,
                     const QString& email) override;

private:
    QWidget* buildCount();
    QWidget* buildLetterBar();
    void setHooks();
    void showCount();

    bool lendOutMode_ = false;
    QLabel* countLabel_ = nullptr;
    QWidget* letterBar_ = nullptr;
    QList<QPushButton*> letters_;
};

} // namespace hoardly
