#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <QtTest>

namespace hoardly::test {

// The dialog seam for tests: records every box and answers from a queue the test fills.
// A box that nobody queued an answer for, or an answer left over, is a failure that
// `verify()` reports (the fixture calls it after each test).
class ScriptedDialogs final : public Dialogs {
public:
    Answer show(QWidget* parent, const Box& box) override;
    QString askFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> askText(QWidget* parent, const TextRequest& request) override;

    // Queue the answer of the next box, file dialog or input dialog.
    void answer(Answer answer) { answers_.enqueue(answer); }
    void answerFile(const QString& path) { files_.enqueue(path); }
    void answerText(std::optional<QString> text) { texts_.enqueue(std::move(text)); }

    const QList<Box>& boxes() const { return boxes_; }
    const QList<FileRequest>& fileRequests() const { return fileRequests_; }
    const QList<TextRequest>& textRequests() const { return textRequests_; }
    const Box& lastBox() const { return boxes_.last(); }
    // Checks the box shown `at`-th (from 0): its kind, caption, text and icon.
    void expectBox(qsizetype at, BoxKind kind, const QString& caption, const QString& text,
                   BoxIcon icon = BoxIcon::None) const;
    // Checks the last box shown: its kind, caption and text.
    void expectLastBox(BoxKind kind, const QString& caption, const QString& text) const;
    void forget(); // drops what was recorded (not the queued answers)

    // Empty when every box was answered and every answer used; otherwise what went wrong.
    QStringList problems() const;
    void reset();

private:
    QList<Box> boxes_;
    QList<FileRequest> fileRequests_;
    QList<TextRequest> textRequests_;
    QQueue<Answer> answers_;
    QQueue<QString> files_;
    QQueue<std::optional<QString>> texts_;
    QStringList problems_;
};

// Fails the current test when the scripted dialogs saw an unanswered box or kept an answer.
#define HOARDLY_VERIFY_DIALOGS(dialogs)                                                            \
    do {                                                                                           \
        const QStringList hoardlyProblems = (dialogs).problems();                                  \
        QVERIFY2(hoardlyProblems.isEmpty(), qPrintable(hoardlyProblems.join(u"; "_s)));            \
    } while (false)

} // namespace hoardly::test
