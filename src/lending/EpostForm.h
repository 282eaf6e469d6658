#pragma once

#include "ReminderSending.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace hoardly {

class Dialogs;

// The progress window of one reminder, "Reminders by E-mail": a status text, a picture and a
// bar. It has no close control; the sending closes it, and it is destroyed then. While it is
// up the main window is disabled.
class TEpostForm final : public QWidget, public ReminderProgress {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEpostForm)
public:
    TEpostForm(Dialogs& dialogs, QWidget* mainWindow);
    ~TEpostForm() override;

    QString statusText() const;
    int barValue() const;

    // ReminderProgress
    void begin() override;
    void setStatus(const QString& text) override;
    void setBar(int value) override;
    void tell(const QString& text) override;
    void end() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void enableMainWindow(bool enabled);

    Dialogs& dialogs_;
    QPointer<QWidget> mainWindow_;
    QLabel* statusLabel_;
    QProgressBar* bar_;
    bool ending_ = false;
    bool mainDisabled_ = false;
};

} // namespace hoardly
