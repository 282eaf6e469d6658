#pragma once

#include "ui/Dialogs.h"

#include <QDate>

class QWidget;

namespace hoardly {

class Table;
struct HtmlExportMember;

// The save dialog of an HTML file: the filter "HTML", the extension "html" added to a name typed
// without one, a question before an existing file is replaced, the name proposed in the home
// folder.
FileRequest htmlSaveRequest(const QString& proposedName);

// The HTML export of a register window, through the dialog seam: the empty-table answer, the
// save dialog, the page of the table in its current order (which leaves the last record
// current) and the completion message. A member with an error dialog of its own shows it when
// the file cannot be written; the others let the file error reach the default error box.
void runHtmlExport(Dialogs& dialogs, QWidget* window, Table& table, const HtmlExportMember& member,
                   const QDate& today);

} // namespace hoardly
