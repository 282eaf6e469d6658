#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace hoardly::test {

// A word of a PDF as `pdftotext -bbox` reads it back, in millimetres from the top-left corner
// of the 10 mm page margins.
struct PdfWord {
    QString text;
    int page = 0; // from 1
    double x = 0, y = 0, right = 0, bottom = 0;
    bool operator==(const PdfWord&) const = default;
};

// Every word of every page in reading order; fails the reading test (empty list) when
// pdftotext cannot read the file.
QList<PdfWord> readPdfWords(const QString& path);
// How many pages the PDF has.
int pdfPageCount(const QString& path);
// The images on each page (`pdfimages -list`): the page numbers, one per image.
QList<int> pdfImagePages(const QString& path);

// The words of one page, or those whose text is given.
QList<PdfWord> onPage(const QList<PdfWord>& words, int page);
QList<PdfWord> named(const QList<PdfWord>& words, const QString& text);
// The texts of a page's words, joined by spaces in reading order.
QString pageText(const QList<PdfWord>& words, int page);

} // namespace hoardly::test
