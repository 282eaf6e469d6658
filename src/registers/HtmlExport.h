#pragma once

#include "Message.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace hoardly {

class Table;

// How a column of an exported list reads its field.
enum class HtmlCell {
    Text,        // as stored
    WholeNumber, // a number; an empty field gives "0"
    Date,        // in the short date format; an empty field gives an empty cell
};

// One column of an exported list: its header cell and the field its values come from.
struct HtmlColumn {
    QString header;
    QString field;
    HtmlCell kind = HtmlCell::Text;
};

// What one register's HTML list looks like and says. Every register that exports its table
// runs the same routine over one of these.
struct HtmlExportMember {
    QString menuText;  // the "&File" menu's entry
    QString popupText; // the pop-up menu's entry; empty: none
    Message empty;     // the answer when the table holds no record
    QString fileName;  // proposed in the save dialog
    QString titleLine; // opens the TITLE line; today's date follows
    QString bodyColour;
    QString heading; // opens the H1 line; today's date follows
    QString caption; // the table's caption
    QList<HtmlColumn> columns;
    int bareCell = -1; // the cell whose value gets no non-breaking space after it; -1: none
    QString footer;    // the line before the download link, exactly as written
    Message done;
    // The error dialog's first line when the file cannot be written; empty: the default error
    // box shows the file error alone.
    QString failure;

    QStringList fields() const;
};

namespace html {

enum class Register { Film, Music, Software, Literature, Inventory };

// The export of each register that has one.
const HtmlExportMember& member(Register which);

// The text with `&`, `<`, `>` and `"` written as entities and every character outside printable
// ASCII as a numeric character reference (`å` is "&#xE5;"), so the page is pure ASCII and reads
// the same whatever encoding a browser assumes; a line break in a value keeps the row on its
// line.
void appendEscaped(QByteArray& page, QStringView text);
QByteArray escaped(QStringView text);

// Builds one member's page line by line: the opening lines at construction, one row per
// addRow, the closing lines at finish(). Every line ends in CR LF.
class HtmlPage {
public:
    HtmlPage(const HtmlExportMember& member, const QString& today, const QString& downloadAddress);
    // One value per column, as the page shows it (a number or date already written as text).
    void addRow(const QStringList& values);
    QByteArray finish();

private:
    void line(const QByteArray& text);

    const HtmlExportMember& member_;
    QString downloadAddress_;
    QByteArray page_;
};

// The page of the table's records in its current order. Bound controls are suspended during
// the scan, which leaves the last record current.
QByteArray pageOf(const HtmlExportMember& member, Table& table, const QString& today,
                  const QString& downloadAddress);

// Writes the page of the table's records to the file. The file is replaced only once the whole
// page is written, so a failed export keeps whatever the file held; a FileError then names the
// file and says what to do. The table is not read when the file cannot even be created.
void writeHtmlList(const HtmlExportMember& member, Table& table, const QString& path,
                   const QString& today, const QString& downloadAddress);

} // namespace html
} // namespace hoardly
