#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QList>
#include <QObject>
#include <QString>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace hoardly::bench {

// Notes when a widget has been painted.
class PaintWatch final : public QObject {
public:
    explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

inline double ms(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

// Runs the event loop until the watched widget has painted (at most `limitMs`).
inline void untilPainted(PaintWatch& watch, int limitMs = 2000) {
    QElapsedTimer guard;
    guard.start();
    while (!watch.painted && guard.elapsed() < limitMs)
        QCoreApplication::processEvents();
}

// Runs the event loop until `done` holds (at most `limitMs`) and answers the longest stretch the
// GUI thread spent away from it: what a user would feel as the window not answering while
// work goes on in the background.
template <class Done> double longestStretchUntil(Done done, int limitMs = 60000) {
    QElapsedTimer guard;
    guard.start();
    qint64 last = guard.nsecsElapsed();
    qint64 longest = 0;
    while (!done() && guard.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const qint64 now = guard.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    }
    return double(longest) / 1e6;
}

// Watches the GUI thread from inside its event loop: a zero-interval timer fires at every pass
// of the loop, and the longest time between two passes is the longest the thread was away
// from it, whatever kept it there (an event handler, a paint, a timer's work).
class EventLoopWatch final : public QObject {
public:
    EventLoopWatch() {
        clock_.start();
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
        timer_.start();
        restart();
    }
    void restart() {
        last_ = clock_.nsecsElapsed();
        longest_ = 0;
    }
    double longestMs() const {
        return double(std::max(longest_, clock_.nsecsElapsed() - last_)) / 1e6;
    }

private:
    void tick() {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    QElapsedTimer clock_;
    QTimer timer_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

// One interaction as a user meets it: `act` runs as an event handler would, then the event loop
// runs until `done` holds and `settleMs` more have passed (for work the interaction left
// queued). Answers the longest stretch the GUI thread spent away from its loop meanwhile and,
// in `untilDone`, how long it took until `done` held.
struct Stretch {
    double longestMs = 0;
    double untilDoneMs = 0;
};
template <class Act, class Done>
Stretch stretchOf(Act act, Done done, int settleMs = 30, int limitMs = 60000) {
    EventLoopWatch watch;
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    watch.restart();
    act();
    while (!done() && clock.elapsed() < limitMs)
        QCoreApplication::processEvents();
    Stretch stretch;
    stretch.untilDoneMs = double(clock.nsecsElapsed()) / 1e6;
    const qint64 settleUntil = clock.elapsed() + settleMs;
    while (clock.elapsed() < settleUntil)
        QCoreApplication::processEvents();
    stretch.longestMs = watch.longestMs();
    return stretch;
}
template <class Act> Stretch stretchOf(Act act) {
    return stretchOf(act, [] { return true; });
}

inline QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

inline void report(const QString& what, double value) {
    out() << qSetFieldWidth(58) << Qt::left << what << qSetFieldWidth(0)
          << QString::number(value, 'f', 2) << " ms\n";
    out().flush();
}

inline void summary(const QString& what, QList<double> values) {
    std::sort(values.begin(), values.end());
    out() << qSetFieldWidth(58) << Qt::left << what << qSetFieldWidth(0) << "median "
          << QString::number(values[values.size() / 2], 'f', 2) << " ms, worst "
          << QString::number(values.last(), 'f', 2) << " ms (" << values.size() << " runs)\n";
    out().flush();
}

} // namespace hoardly::bench
