#include "HtmlExportCommand.h"

#include "HtmlExport.h"
#include "data/Dates.h"
#include "data/DownloadPage.h"
#include "data/Errors.h"
#include "data/SharedRoutines.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace hoardly {

FileRequest htmlSaveRequest(const QString& proposedName) {
    FileRequest request;
    request.kind = FileRequestKind::Save;
    request.caption = u"Save As"_s;
    request.directory = QDir::homePath();
    request.filter = u"HTML (*.html)"_s;
    request.fileName = proposedName;
    request.defaultSuffix = u"html"_s;
    return request;
}

void runHtmlExport(Dialogs& dialogs, QWidget* window, Table& table, const HtmlExportMember& member,
                   const QDate& today) {
    if (isTableEmpty(table)) {
        dialogs.info(window, member.empty.caption, member.empty.text);
        return;
    }
    const QString path = dialogs.askFile(window, htmlSaveRequest(member.fileName));
    if (path.isEmpty())
        return;
    try {
        html::writeHtmlList(member, table, path, dateToText(today),
                            QString::fromLatin1(kDownloadAddress));
    } catch (const FileError& error) {
        if (member.failure.isEmpty())
            throw;
        dialogs.error(window, member.failure + u"\n\n"_s + error.text());
        return;
    }
    dialogs.info(window, member.done.caption, member.done.text);
}

} // namespace hoardly
