#pragma once

#include "ReminderMail.h"
#include "ReminderSending.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QWidget;

namespace hoardly {

class TEpostForm;
struct AppContext;

// The reminder scan of the main window's first activation: every due loan is marked as
// reminded and gets its e-mail, one after the other, each with a fresh progress window.
// The scan returns at once and goes on from the event loop as each sending ends.
class EmailReminders final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EmailReminders)
public:
    EmailReminders(AppContext& context, QWidget* mainWindow, ReminderOptions options);
    ~EmailReminders() override;

    void setToday(std::function<QDate()> today) { today_ = std::move(today); }
    ReminderOptions& options() { return options_; }

    // Finds the due loans and starts sending; a store error stops the scan in the default
    // error box. A loan whose date cannot be read is skipped and named when the scan ends.
    void scan();
    bool scanning() const { return scanning_; }
    // The progress window of the reminder going now; null between two.
    TEpostForm* progressWindow() const;

signals:
    // The last sending has ended (or the scan found nothing to send).
    void scanFinished();

private:
    void sendNext();
    bool startSending(const ReminderLoan& loan);
    void sendingEnded();
    void stop();

    AppContext& context_;
    QPointer<QWidget> mainWindow_;
    ReminderOptions options_;
    std::function<QDate()> today_;
    QList<ReminderLoan> queue_;
    QList<ReminderLoan> unreadable_;
    QPointer<TEpostForm> window_;
    std::unique_ptr<ReminderSending> sending_;
    bool scanning_ = false;
};

} // namespace hoardly
