#include "ScriptedDialogs.h"

using namespace Qt::StringLiterals;

namespace hoardly::test {

Answer ScriptedDialogs::show(QWidget*, const Box& box) {
    boxes_ << box;
    if (answers_.isEmpty()) {
        problems_ << u"unanswered box \"%1\": %2"_s.arg(box.caption, box.text);
        return box.buttons.isEmpty() ? Answer::Ok : box.buttons.last();
    }
    const Answer answer = answers_.dequeue();
    if (!box.buttons.contains(answer))
        problems_ << u"box \"%1\" has no button for the queued answer"_s.arg(box.caption);
    return answer;
}

QString ScriptedDialogs::askFile(QWidget*, const FileRequest& request) {
    fileRequests_ << request;
    if (files_.isEmpty()) {
        problems_ << u"unanswered file dialog \"%1\""_s.arg(request.caption);
        return {};
    }
    return files_.dequeue();
}

std::optional<QString> ScriptedDialogs::askText(QWidget*, const TextRequest& request) {
    textRequests_ << request;
    if (texts_.isEmpty()) {
        problems_ << u"unanswered input dialog \"%1\""_s.arg(request.caption);
        return std::nullopt;
    }
    return texts_.dequeue();
}

void ScriptedDialogs::expectBox(qsizetype at, BoxKind kind, const QString& caption,
                                const QString& text, BoxIcon icon) const {
    QVERIFY2(boxes_.size() > at, "a box is missing");
    const Box& box = boxes_[at];
    QCOMPARE(box.kind, kind);
    QCOMPARE(box.caption, caption);
    QCOMPARE(box.text, text);
    QCOMPARE(box.icon, icon);
}

void ScriptedDialogs::expectLastBox(BoxKind kind, const QString& caption,
                                    const QString& text) const {
    QVERIFY2(!boxes_.isEmpty(), "no box was shown");
    QCOMPARE(boxes_.last().kind, kind);
    QCOMPARE(boxes_.last().caption, caption);
    QCOMPARE(boxes_.last().text, text);
}

void ScriptedDialogs::forget() {
    boxes_.clear();
    fileRequests_.clear();
    textRequests_.clear();
}

QStringList ScriptedDialogs::problems() const {
    QStringList all = problems_;
    if (!answers_.isEmpty())
        all << u"%1 box answer(s) left unused"_s.arg(answers_.size());
    if (!files_.isEmpty())
        all << u"%1 file answer(s) left unused"_s.arg(files_.size());
    if (!texts_.isEmpty())
        all << u"%1 text answer(s) left unused"_s.arg(texts_.size());
    return all;
}

void ScriptedDialogs::reset() {
    forget();
    answers_.clear();
    files_.clear();
    texts_.clear();
    problems_.clear();
}

} // namespace hoardly::test
