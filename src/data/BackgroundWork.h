#pragma once

#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>
#include <memory>
#include <utility>

namespace hoardly {

// Runs `work` on a thread of the pool (the global one unless another is given); its result reaches
// `watcher`, whose finished() signal then arrives on the watcher's own thread. A watcher given a
// new piece of work lets the result of the old one go.
template <typename Result, typename Work>
void startInPool(QFutureWatcher<Result>& watcher, Work work,
                 QThreadPool* pool = QThreadPool::globalInstance()) {
    auto promise = std::make_shared<QPromise<Result>>();
    watcher.setFuture(promise->future());
    promise->start();
    pool->start([promise, work = std::move(work)]() mutable {
        promise->addResult(work());
        promise->finish();
    });
}

} // namespace hoardly
