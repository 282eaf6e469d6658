#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

namespace hoardly {

struct AppContext;

struct IntroTimings {
    int tickMs = 4000; // from the window's creation to the database set-up
    int waitMs = 2000; // the pause inside the set-up, with the picture on the screen
};

// The borderless window shown while the database is set up. Its timer, running from the
// moment the window is built, does the set-up once and closes the window, which destroys it.
class TIntroForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TIntroForm)
public:
    TIntroForm(AppContext& context, const QString& executableDirectory,
               std::function<void()> enableMusicTimer, IntroTimings timings = {},
               QWidget* parent = nullptr);

    // Shows the window modally in the middle of the screen until the set-up has run.
    void showModal();
    const QTimer& introTimer() const { return introTimer_; }
    // The timer's tick: the database set-up, then the window closes.
    void IntroTimerTimer();

private:
    void checkLoans();

    AppContext& context_;
    QString executableDirectory_;
    std::function<void()> enableMusicTimer_;
    IntroTimings timings_;
    QTimer introTimer_;
};

} // namespace hoardly
