#include "PdfWords.h"

#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace hoardly::test {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kMargin = 10.0;

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program),
                 qPrintable(QString::fromUtf8(process.readAllStandardError())));
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString unescaped(const QString& html) {
    QString text = html;
    text.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s).replace(u"&quot;"_s, u"\""_s);
    return text.replace(u"&amp;"_s, u"&"_s);
}

} // namespace

QList<PdfWord> readPdfWords(const QString& path) {
    const QString html = run(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s});
    static const QRegularExpression tag(
        uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    QList<PdfWord> words;
    int page = 0;
    for (const QRegularExpressionMatch& match : tag.globalMatch(html)) {
        if (match.captured(0) == u"<page "_s) {
            ++page;
            continue;
        }
        const auto mm = [&](int group) { return match.captured(group).toDouble() * kMmPerPoint; };
        words.append({unescaped(match.captured(5)), page, mm(1) - kMargin, mm(2) - kMargin,
                      mm(3) - kMargin, mm(4) - kMargin});
    }
    return words;
}

int pdfPageCount(const QString& path) {
    static const QRegularExpression pages(uR"(^Pages:\s+(\d+))"_s,
                                          QRegularExpression::MultilineOption);
    return pages.match(run(u"pdfinfo"_s, {path})).captured(1).toInt();
}

QList<int> pdfImagePages(const QString& path) {
    QList<int> result;
    const QStringList lines = run(u"pdfimages"_s, {u"-list"_s, path}).split(u'\n');
    for (qsizetype i = 2; i < lines.size(); ++i) { // after the two heading lines
        const QStringList cells = lines[i].simplified().split(u' ');
        if (cells.size() > 2 && cells[2] == u"image"_s)
            result << cells[0].toInt();
    }
    return result;
}

QList<PdfWord> onPage(const QList<PdfWord>& words, int page) {
    QList<PdfWord> result;
    for (const PdfWord& word : words) {
        if (word.page == page)
            result << word;
    }
    return result;
}

QList<PdfWord> named(const QList<PdfWord>& words, const QString& text) {
    QList<PdfWord> result;
    for (const PdfWord& word : words) {
        if (word.text == text)
            result << word;
    }
    return result;
}

QString pageText(const QList<PdfWord>& words, int page) {
    QStringList texts;
    for (const PdfWord& word : onPage(words, page))
        texts << word.text;
    return texts.join(u' ');
}

} // namespace hoardly::test
