#pragma once

#include "ReminderMail.h"
#include "SmtpExchange.h"

#include <QDateTime>
#include <QObject>
#include <functional>
#include <memory>

namespace hoardly {

class Table;

// The progress window as a sending sees it.
class ReminderProgress {
public:
    virtual ~ReminderProgress() = default;
    // Shows the window, disables the main window and shows the wait cursor over the window.
    virtual void begin() = 0;
    virtual void setStatus(const QString& text) = 0;
    virtual void setBar(int value) = 0; // 0 to 100
    // A plain message box over the window.
    virtual void tell(const QString& text) = 0;
    // The normal cursor again, the main window enabled, the window closed and destroyed.
    virtual void end() = 0;
};

struct ReminderOptions {
    SmtpTimeouts timeouts;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    QString downloadAddress; // named in the body's last line
};

// The texts the user sees while a reminder goes.
namespace reminderText {
inline constexpr auto kInitial = "Initial phase...........";
inline constexpr auto kPreparing = "Preparing to send.....Please wait......";
inline constexpr auto kConnecting =
    "Preparing to send E-mail.....connecting to the server....Pleae wait......";
inline constexpr auto kConnected = "Connect is established.....Sending....Please hold.....";
inline constexpr auto kFinished = "Finished.....";
inline constexpr auto kIncompleteSettings =
    "It's  possible to send any E-mail since your internetsettings don't seems to be correct. "
    "Check out your Internetsettings in mainmenu/properties.";
inline constexpr auto kNoContact = "Could not establish contact with the server";
inline constexpr auto kOperationFailed = "The operation failed";
inline constexpr auto kSendingFailed =
    "There was some error during the time for sendingt. Check your connection and your settings.";
} // namespace reminderText

// Sends one reminder with the mail settings and shows how it goes in its progress window:
// status texts, the bar in steps of 10, 40, 40 and 10, and a message for each failure.
class ReminderSending final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReminderSending)
public:
    ReminderSending(Table& config, ReminderProgress& progress, ReminderOptions options,
                    QObject* parent = nullptr);
    ~ReminderSending() override;

    // Opens the settings table when it is closed (a StoreError then leaves the window up for
    // the caller to end). finished() follows in every other case.
    void start(const ReminderLoan& loan);
    // Running until the exchange ends; Sent only when the server took the message.
    SmtpOutcome outcome() const { return outcome_; }
    // The exchange's own words for a failure; empty when none ran or it went through.
    QString failure() const { return failure_; }

signals:
    // The window has closed. Sent from the event loop, so the receiver may delete this.
    void finished();

private:
    void advance(int steps);
    void exchangeEnded();
    void close(SmtpOutcome outcome);

    Table& config_;
    ReminderProgress& progress_;
    ReminderOptions options_;
    int bar_ = 0;
    SmtpOutcome outcome_ = SmtpOutcome::Running;
    QString failure_;
    std::unique_ptr<SmtpExchange> exchange_;
};

} // namespace hoardly
