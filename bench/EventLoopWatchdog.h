#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace hoardly::bench {

// Measures, from outside the code under test, how long the GUI thread stays away from its
// event loop: a zero-interval timer fires once in every turn of the loop, so the longest gap
// between two of its ticks is the longest stretch in which no input could be taken and nothing
// painted, whatever events that stretch was made of.
class EventLoopWatchdog final : public QObject {
public:
    EventLoopWatchdog() {
        clock_.start();
        tick_.setInterval(0);
        connect(&tick_, &QTimer::timeout, this, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
        tick_.start();
    }

    // Runs one interaction from the event loop, as a click or a key would, lets the loop
    // settle for `settleMs`, and answers the longest stretch away from it, in milliseconds.
    double measure(const std::function<void()>& interaction, int settleMs = 150) {
        QCoreApplication::processEvents();
        last_ = clock_.nsecsElapsed();
        longest_ = 0;
        QTimer::singleShot(0, interaction);
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < settleMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return double(longest_) / 1e6;
    }

private:
    QTimer tick_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

} // namespace hoardly::bench
