#include "EmailReminders.h"

#include "EpostForm.h"
#include "ReminderScan.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

namespace hoardly {

EmailReminders::EmailReminders(AppContext& context, QWidget* mainWindow, ReminderOptions options)
    : context_(context), mainWindow_(mainWindow), options_(std::move(options)),
      today_([] { return QDate::currentDate(); }) {}

EmailReminders::~EmailReminders() {
    // A sending cut short by the end of the program: its window goes with it.
    sending_.reset();
    delete window_.data();
}

TEpostForm* EmailReminders::progressWindow() const {
    return window_.data();
}

void EmailReminders::scan() {
    if (scanning_)
        return;
    scanning_ = true;
    DueReminders found;
    const bool read = runCommand(context_.dialogs, mainWindow_, [&] {
        Table& borrow = context_.tdm.borrowTb();
        if (!borrow.isOpen())
            borrow.open();
        found = findDueReminders(borrow, today_());
    });
    if (!read)
        return stop();
    queue_ = found.due;
    unreadable_ = found.unreadable;
    sendNext();
}

void EmailReminders::sendNext() {
    while (!queue_.isEmpty()) {
        if (startSending(queue_.takeFirst()))
            return;
        if (!scanning_)
            return;
    }
    if (!unreadable_.isEmpty())
        context_.dialogs.message(mainWindow_, unreadableDatesMessage(unreadable_));
    stop();
}

// Whether a sending is under way; false when the loan needed none or the scan stopped.
bool EmailReminders::startSending(const ReminderLoan& loan) {
    auto* window = new TEpostForm(context_.dialogs, mainWindow_);
    window_ = window;
    bool marked = false;
    if (!runCommand(context_.dialogs, mainWindow_,
                    [&] { marked = markReminderSent(context_.tdm.borrowTb(), loan.bid); })) {
        delete window;
        stop();
        return false;
    }
    if (!marked) { // returned or switched off meanwhile
        delete window;
        return false;
    }
    sending_ = std::make_unique<ReminderSending>(context_.tdm.configTb(), *window, options_);
    connect(sending_.get(), &ReminderSending::finished, this, &EmailReminders::sendingEnded);
    if (!runCommand(context_.dialogs, window, [&] { sending_->start(loan); })) {
        sending_.reset();
        if (window_)
            window_->end();
        stop();
        return false;
    }
    return true;
}

void EmailReminders::sendingEnded() {
    // The sending sent this signal; it goes once the signal is done.
    sending_.release()->deleteLater();
    sendNext();
}

void EmailReminders::stop() {
    queue_.clear();
    unreadable_.clear();
    if (!scanning_)
        return;
    scanning_ = false;
    emit scanFinished();
}

} // namespace hoardly
