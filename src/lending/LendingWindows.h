#pragma once

#include "LendingInterfaces.h"

#include <QDate>
#include <functional>
#include <memory>

namespace hoardly {

class TBorrowChoiceForm;
class TBorrowFillinForm;
class TBorrowForm;
struct AppContext;

// The three lending windows the program builds once at start-up, and the lending command
// that leads into them. The application builds one, right after TDM, and hands it to the
// register windows as their LendingCommand; once the address book exists it is attached with
// setAddressBook.
class LendingWindows final : public LendingCommand {
public:
    explicit LendingWindows(AppContext& context);
    ~LendingWindows() override;
    LendingWindows(const LendingWindows&) = delete;
    LendingWindows& operator=(const LendingWindows&) = delete;

    TBorrowChoiceForm& choiceForm() const { return *choiceForm_; }
    TBorrowFillinForm& fillinForm() const { return *fillinForm_; }
    TBorrowForm& borrowForm() const { return *borrowForm_; }

    void setAddressBook(AddressBookHandOff* addressBook);
    void setToday(std::function<QDate()> today);

    void lendCurrentRecord(LendObjectType type) override;
    void lend(LendObjectType type, const QString& objectName) override;

private:
    AppContext& context_;
    std::unique_ptr<TBorrowFillinForm> fillinForm_;
    std::unique_ptr<TBorrowForm> borrowForm_;
    std::unique_ptr<TBorrowChoiceForm> choiceForm_;
};

} // namespace hoardly
