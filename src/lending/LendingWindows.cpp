#include "LendingWindows.h"

#include "BorrowChoiceForm.h"
#include "BorrowFillinForm.h"
#include "BorrowForm.h"
#include "LendObjectTypes.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "ui/Shell.h"

namespace hoardly {

namespace {
constexpr int kLendObjectNameLength = 40;
}

LendingWindows::LendingWindows(AppContext& context)
    : context_(context), fillinForm_(std::make_unique<TBorrowFillinForm>(context)),
      borrowForm_(std::make_unique<TBorrowForm>(context)),
      choiceForm_(std::make_unique<TBorrowChoiceForm>(context, *fillinForm_, *borrowForm_)) {}

LendingWindows::~LendingWindows() = default;

void LendingWindows::setAddressBook(AddressBookHandOff* addressBook) {
    fillinForm_->setAddressBook(addressBook);
}

void LendingWindows::setToday(std::function<QDate()> today) {
    fillinForm_->setToday(std::move(today));
}

void LendingWindows::lendCurrentRecord(LendObjectType type) {
    const LendObjectKind& kind = lendObjectKind(type);
    const Table& table = context_.tdm.table(kind.schema());
    if (!table.isOpen() || table.isEmpty())
        return;
    lend(type, table.asText(kind.nameField));
}

void LendingWindows::lend(LendObjectType type, const QString& objectName) {
    context_.run.lendObjectType = type;
    fillinForm_->setObjectLabel(objectName);
    context_.run.lendObjectName = objectName.left(kLendObjectNameLength);
    choiceForm_->exec();
}

} // namespace hoardly
