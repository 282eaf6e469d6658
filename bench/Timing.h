#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
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
