#include "ListOutput.h"

#include "ListDocument.h"
#include "ListPreview.h"
#include "ui/Dialogs.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace hoardly::print {

const char* const QtListOutput::kNoPrinterCaption = "No printer";
const char* const QtListOutput::kNoPrinterText =
    "No printer is installed, so the list cannot be printed. Install a printer, or open the "
    "print preview and save the list as a PDF file there.";

Painted paintWithProgress(QWidget* parent, const ListDocument& document,
                          QPagedPaintDevice& device) {
    QProgressDialog progress(parent);
    progress.setWindowTitle(u"Printing progress"_s);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setRange(0, document.pageCount());
    progress.setMinimumDuration(500);
    const auto label = [&](int page) {
        progress.setLabelText(u"Page %1 of %2"_s.arg(page).arg(document.pageCount()));
    };
    label(1);
    bool cancelled = false;
    const bool painted = paintList(document, device, [&](int page) {
        progress.setValue(page);
        label(std::min(page + 1, document.pageCount()));
        cancelled = progress.wasCanceled();
        return !cancelled;
    });
    return cancelled ? Painted::Cancelled : painted ? Painted::Done : Painted::Failed;
}

void QtListOutput::preview(QWidget* parent, const ListDocument& document) {
    ListPreview* shown = nullptr;
    ListPreview preview(
        document, dialogs_, [&] { print(shown, document); }, parent);
    shown = &preview;
    preview.exec();
}

void QtListOutput::print(QWidget* parent, const ListDocument& document) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        dialogs_.info(parent, QString::fromLatin1(kNoPrinterCaption),
                      QString::fromLatin1(kNoPrinterText));
        return;
    }
    if (document.pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setDocName(document.layout().title);
    setUpListPage(printer);
    switch (paintWithProgress(parent, document, printer)) {
    case Painted::Cancelled:
        printer.abort();
        break;
    case Painted::Failed:
        dialogs_.error(parent,
                       u"The list could not be printed on the printer %1. Check that it "
                       u"is switched on and ready, then print again."_s.arg(printer.printerName()));
        break;
    case Painted::Done:
        break;
    }
}

} // namespace hoardly::print
