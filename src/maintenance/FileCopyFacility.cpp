#include "FileCopyFacility.h"

#include "data/BackgroundWork.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QPointer>
#include <QProgressDialog>
#include <memory>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const QString kFailed = u"L'opération a échouée"_s;
const QString kInterrupted = u"Opération interrompu par l'utilisateur"_s;
constexpr int kProgressShownAfterMs = 500;

void reportFailure(Dialogs& dialogs, QWidget* parent, const QString& text) {
    dialogs.show(parent,
                 {BoxKind::Error, u"Error"_s, text, BoxIcon::Error, {Answer::Ok, Answer::Cancel}});
}

// Asks about each file that the copy would replace; empty when the user broke the copy off.
std::optional<QList<PlannedCopy>> planReplacements(Dialogs& dialogs, QWidget* parent,
                                                   const FileCopyRequest& request,
                                                   const QStringList& names) {
    const QDir destination(request.destinationDirectory);
    QList<PlannedCopy> plan;
    bool replaceAll = !request.askBeforeReplacing;
    for (const QString& name : names) {
        if (replaceAll || !QFileInfo::exists(destination.filePath(name))) {
            plan.append({name, true});
            continue;
        }
        const Answer answer = dialogs.show(
            parent, {BoxKind::Custom,
                     u"Confirm File Replace"_s,
                     u"The folder %1 already contains a file named \"%2\".\n\nWould you like to "
                     "replace the existing file?"_s.arg(
                         QDir::toNativeSeparators(request.destinationDirectory), name),
                     BoxIcon::Question,
                     {Answer::Yes, Answer::YesToAll, Answer::No, Answer::Cancel}});
        if (answer == Answer::Cancel)
            return std::nullopt;
        replaceAll = answer == Answer::YesToAll;
        plan.append({name, answer != Answer::No});
    }
    return plan;
}

// Whether the destination is there, made or made after asking; reports a refusal or a failure.
bool destinationReady(Dialogs& dialogs, QWidget* parent, const FileCopyRequest& request) {
    if (QFileInfo(request.destinationDirectory).isDir())
        return true;
    if (!request.createDirectory &&
        !dialogs.question(parent, u"Confirm Folder Create"_s,
                          u"The folder %1 does not exist. Do you want to create it?"_s.arg(
                              QDir::toNativeSeparators(request.destinationDirectory)))) {
        reportFailure(dialogs, parent, kInterrupted);
        return false;
    }
    if (QDir().mkpath(request.destinationDirectory))
        return true;
    reportFailure(dialogs, parent,
                  kFailed + u"\n\nThe folder %1 could not be created."_s.arg(
                                QDir::toNativeSeparators(request.destinationDirectory)));
    return false;
}

// One copy on its way: the progress window, the break-off flag and the result's watcher. It
// deletes itself when the copy has ended.
class CopyJob final : public QObject {
public:
    CopyJob(Dialogs& dialogs, QWidget* parent, std::function<void(bool)> done)
        : dialogs_(dialogs), parent_(parent), done_(std::move(done)) {
        connect(&watcher_, &QFutureWatcher<FileCopyOutcome>::finished, this, &CopyJob::ended);
    }

    void start(const FileCopyRequest& request, QList<PlannedCopy> plan) {
        progress_ = new QProgressDialog(u"Copying..."_s, u"Cancel"_s, 0, int(plan.size()), parent_);
        progress_->setWindowTitle(u"Copying"_s);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(kProgressShownAfterMs);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        connect(progress_, &QProgressDialog::canceled, this, [this] { *cancel_ = true; });
        QPointer<CopyJob> self(this);
        auto cancel = cancel_;
        startInPool(watcher_, [request, plan = std::move(plan), cancel, self] {
            return copyPlannedFiles(request.sourceDirectory, request.destinationDirectory, plan,
                                    *cancel, [self](int done, const QString& name) {
                                        QMetaObject::invokeMethod(self, [self, done, name] {
                                            if (self)
                                                self->showProgress(done, name);
                                        });
                                    });
        });
    }

private:
    void showProgress(int done, const QString& name) {
        if (!progress_)
            return;
        progress_->setLabelText(u"Copying %1"_s.arg(name));
        progress_->setValue(done);
    }

    void ended() {
        delete progress_.data();
        const FileCopyOutcome outcome = watcher_.future().takeResult();
        if (outcome.kind == FileCopyOutcome::Kind::Interrupted)
            reportFailure(dialogs_, parent_, kInterrupted);
        else if (outcome.kind == FileCopyOutcome::Kind::Failed)
            reportFailure(dialogs_, parent_, kFailed + u"\n\n"_s + outcome.failure);
        const auto done = std::move(done_);
        deleteLater();
        if (done)
            done(outcome.kind == FileCopyOutcome::Kind::Copied);
    }

    Dialogs& dialogs_;
    QPointer<QWidget> parent_;
    std::function<void(bool)> done_;
    QPointer<QProgressDialog> progress_;
    std::shared_ptr<std::atomic_bool> cancel_ = std::make_shared<std::atomic_bool>(false);
    QFutureWatcher<FileCopyOutcome> watcher_;
};

} // namespace

void copyFiles(Dialogs& dialogs, QWidget* parent, const FileCopyRequest& request,
               std::function<void(bool copied)> done) {
    const QStringList names = filesMatching(request.sourceDirectory, request.mask);
    const auto finish = [&](bool copied) {
        if (done)
            done(copied);
    };
    if (names.isEmpty())
        return finish(true);
    if (!destinationReady(dialogs, parent, request))
        return finish(false);
    std::optional<QList<PlannedCopy>> plan = planReplacements(dialogs, parent, request, names);
    if (!plan) {
        reportFailure(dialogs, parent, kInterrupted);
        return finish(false);
    }
    auto* job = new CopyJob(dialogs, parent, std::move(done));
    job->start(request, std::move(*plan));
}

} // namespace hoardly
