#include "HtmlExport.h"

#include "data/Errors.h"
#include "data/Table.h"

#include <QDir>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace hoardly {

QStringList HtmlExportMember::fields() const {
    QStringList names;
    for (const HtmlColumn& column : columns)
        names << column.field;
    return names;
}

namespace html {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendReference(QByteArray& page, char32_t codePoint) {
    char digits[8];
    int count = 0;
    do {
        digits[count++] = kHexDigits[codePoint & 0xF];
        codePoint >>= 4;
    } while (codePoint != 0);
    page += "&#x";
    while (count > 0)
        page += digits[--count];
    page += ';';
}

// The program's own texts, which are ASCII and hold the page's tags: written as they stand.
QByteArray own(const QString& text) {
    return text.toLatin1();
}

// What a scanned field gives as the page's text of a cell.
QString cellText(const ScanRow& row, int column, HtmlCell kind) {
    switch (kind) {
    case HtmlCell::WholeNumber:
        return QString::number(row.integer(column));
    case HtmlCell::Date: // the table's text read: the short date format, empty for no date
    case HtmlCell::Text:
        return row.text(column);
    }
    return {};
}

} // namespace

void appendEscaped(QByteArray& page, QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        switch (unit.unicode()) {
        case u'&':
            page += "&amp;";
            continue;
        case u'<':
            page += "&lt;";
            continue;
        case u'>':
            page += "&gt;";
            continue;
        case u'"':
            page += "&quot;";
            continue;
        default:
            break;
        }
        if (unit.unicode() >= 0x20 && unit.unicode() < 0x7F) {
            page += char(unit.unicode());
        } else if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            appendReference(page, QChar::surrogateToUcs4(unit, text[i + 1]));
            ++i;
        } else {
            appendReference(page, unit.unicode());
        }
    }
}

QByteArray escaped(QStringView text) {
    QByteArray page;
    appendEscaped(page, text);
    return page;
}

HtmlPage::HtmlPage(const HtmlExportMember& member, const QString& today,
                   const QString& downloadAddress)
    : member_(member), downloadAddress_(downloadAddress) {
    const QByteArray date = escaped(today);
    line(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">)");
    line("<HTML>");
    line("<HEAD>");
    line(own(member.titleLine) + date + " </TITLE>");
    line("</HEAD>");
    line(R"(<BODY BGCOLOR=")" + own(member.bodyColour) +
         R"(" TEXT="#FF0000" LINK="#FFFFFF" ALINK="#FFFF00" VLINK="#0000FF">)");
    line(own(member.heading) + date + "</H1>");
    line("<P><BR>");
    line("<P>");
    line("<TABLE BORDER=2>");
    line("<CAPTION><H3>" + own(member.caption) + "</H3></CAPTION>");
    QByteArray header = "<TR>";
    for (const HtmlColumn& column : member.columns)
        header += "<TH>" + own(column.header) + "</TH>";
    line(header + "</TR>");
}

void HtmlPage::addRow(const QStringList& values) {
    page_ += "<TR><TD>";
    for (qsizetype cell = 0; cell < values.size(); ++cell) {
        appendEscaped(page_, values[cell]);
        if (cell != member_.bareCell)
            page_ += "&nbsp;";
        page_ += cell + 1 < values.size() ? "</TD><TD>" : "</TD></TR>\r\n";
    }
}

QByteArray HtmlPage::finish() {
    line("</TABLE>");
    line(own(member_.footer));
    const QByteArray address = escaped(downloadAddress_);
    line(R"(<A HREF=")" + address + R"(">)" + address + "</A></TD>");
    line("</BODY>");
    line("</HTML>");
    return std::move(page_);
}

void HtmlPage::line(const QByteArray& text) {
    page_ += text;
    page_ += "\r\n";
}

QByteArray pageOf(const HtmlExportMember& member, Table& table, const QString& today,
                  const QString& downloadAddress) {
    HtmlPage page(member, today, downloadAddress);
    QStringList values(member.columns.size());
    {
        SuspendedControls suspended(table);
        table.scan(
            member.fields(),
            [&](const ScanRow& row) {
                for (int column = 0; column < member.columns.size(); ++column)
                    values[column] = cellText(row, column, member.columns[column].kind);
                page.addRow(values);
                return true;
            },
            ScanEnd::AtLastVisited);
    }
    return page.finish();
}

void writeHtmlList(const HtmlExportMember& member, Table& table, const QString& path,
                   const QString& today, const QString& downloadAddress) {
    QSaveFile file(path);
    const auto fail = [&path, &file] {
        return FileError(u"The HTML list %1 cannot be written: %2\nAn earlier file of that name "
                         u"keeps what it held. Choose a folder you may write to, or free some "
                         u"space, and export the list again."_s.arg(QDir::toNativeSeparators(path),
                                                                    file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw fail();
    const QByteArray page = pageOf(member, table, today, downloadAddress);
    if (file.write(page) != page.size() || !file.commit())
        throw fail();
}

} // namespace html
} // namespace hoardly
