#pragma once

#include <QPrinter>
#include <memory>

class QPrintPreviewDialog;
class QWidget;

namespace hoardly {

class Dialogs;

namespace print {

class ListDocument;

// Where a printed list goes: the preview window or the printer. The program shows Qt's print
// preview and prints on the default printer; tests put one in that keeps the lists.
class ListOutput {
public:
    virtual ~ListOutput() = default;
    // Shows the list modally; returns when the user closes the preview.
    virtual void preview(QWidget* parent, const ListDocument& document) = 0;
    // Prints every page once on the default printer.
    virtual void print(QWidget* parent, const ListDocument& document) = 0;
};

// Qt's print preview window of a list, with the printer it lays the pages out for. Its
// "Print" button prints on the printer chosen there, or into a PDF file.
class ListPreview {
public:
    ListPreview(const ListDocument& document, QWidget* parent);
    ~ListPreview();
    QPrintPreviewDialog& dialog() const { return *dialog_; }

private:
    QPrinter printer_{QPrinter::HighResolution};
    std::unique_ptr<QPrintPreviewDialog> dialog_;
};

// Qt's print preview (its own window, which also prints to a PDF file) and the default printer
// with the progress window "Printing progress". Without a printer the print says so.
class QtListOutput final : public ListOutput {
public:
    explicit QtListOutput(Dialogs& dialogs) : dialogs_(dialogs) {}
    void preview(QWidget* parent, const ListDocument& document) override;
    void print(QWidget* parent, const ListDocument& document) override;

    static const char* const kNoPrinterCaption;
    static const char* const kNoPrinterText;

private:
    Dialogs& dialogs_;
};

} // namespace print
} // namespace hoardly
