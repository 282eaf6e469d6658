#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QList>
#include <QObject>
#include <QString>
#include <QTextStream>
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
