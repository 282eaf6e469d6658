#include "ListOutput.h"

#include "ListDocument.h"
#include "ui/Dialogs.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace hoardly::print {

const char* const QtListOutput::kNoPrinterCaption = "No printer";
const char* const QtListOutput::kNoPrinterText =
    "No printer is installed, so the list cannot be printed. Install a printer, or open the "
    "print preview and print the list to a PDF file from there.";

ListPreview::ListPreview(const ListDocument& document, QWidget* parent) {
    setUpListPage(printer_);
    printer_.setDocName(document.layout().title);
    dialog_ = std::make_unique<QPrintPreviewDialog>(&printer_, parent);
    dialog_->setWindowTitle(u"Print preview"_s);
    dialog_->resize(900, 760);
    QObject::connect(dialog_.get(), &QPrintPreviewDialog::paintRequested, dialog_.get(),
                     [&document](QPrinter* target) { paintList(document, *target); });
}

ListPreview::~ListPreview() = default;

void QtListOutput::preview(QWidget* parent, const ListDocument& document) {
    ListPreview preview(document, parent);
    preview.dialog().exec();
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
    QProgressDialog progress(parent);
    progress.setWindowTitle(u"Printing progress"_s);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setRange(0, document.pageCount());
    progress.setMinimumDuration(0);
    progress.setLabelText(u"Printing page 1 of %1"_s.arg(document.pageCount()));
    progress.show();
    paintList(document, printer, [&](int page) {
        progress.setValue(page);
        progress.setLabelText(u"Printing page %1 of %2"_s.arg(page + 1).arg(document.pageCount()));
        if (progress.wasCanceled())
            printer.abort();
        return !progress.wasCanceled();
    });
}

} // namespace hoardly::print
