#include "PrintCommands.h"

#include "ListDocument.h"
#include "ListOutput.h"
#include "data/Dates.h"
#include "data/SharedRoutines.h"
#include "data/TDM.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

using namespace Qt::StringLiterals;

namespace hoardly::print {

namespace {

ListDocument layOut(AppContext& context, PrintList list, const QDate& today) {
    const ListLayout& layout = listLayout(list);
    const QString directory = context.tdm.configTb().asText(u"Applikationpath"_s);
    return ListDocument(layout, readListRecords(context.tdm.connection(), layout, directory),
                        dateToText(today));
}

} // namespace

PrintCommands::PrintCommands(AppContext& context, QWidget* window, PrintList list)
    : context_(context), window_(window), list_(list) {}

void PrintCommands::toOutput(const std::function<void(ListOutput&)>& use) {
    if (context_.printing) {
        use(*context_.printing);
        return;
    }
    QtListOutput real(context_.dialogs);
    use(real);
}

void PrintCommands::preview(const QDate& today) {
    const ListDocument document = layOut(context_, list_, today);
    toOutput([&](ListOutput& output) { output.preview(window_, document); });
}

void PrintCommands::print(const Table& registerTable, const QDate& today) {
    const Message& empty = listLayout(list_).emptyPrint;
    if (!empty.isEmpty() && isTableEmpty(registerTable)) {
        context_.dialogs.info(window_, empty.caption, empty.text);
        return;
    }
    const ListDocument document = layOut(context_, list_, today);
    toOutput([&](ListOutput& output) { output.print(window_, document); });
}

} // namespace hoardly::print
