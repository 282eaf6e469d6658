#pragma once

class QPagedPaintDevice;
class QWidget;

namespace hoardly {

class Dialogs;

namespace print {

class ListDocument;

// Where a printed list goes: the preview window or the printer. The program shows its print
// preview and prints on the default printer; tests put one in that keeps the lists.
class ListOutput {
public:
    virtual ~ListOutput() = default;
    // Shows the list modally; returns when the user closes the preview.
    virtual void preview(QWidget* parent, const ListDocument& document) = 0;
    // Prints every page once on the default printer.
    virtual void print(QWidget* parent, const ListDocument& document) = 0;
};

// The preview window (ListPreview), which also saves the list as a PDF file, and the default
// printer with the progress window "Printing progress". Without a printer the print says so.
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

enum class Painted { Done, Cancelled, Failed };
// Paints every page on a printer or PDF writer that setUpListPage has set up, with the
// progress window "Printing progress", whose Cancel stops after the page being painted.
Painted paintWithProgress(QWidget* parent, const ListDocument& document, QPagedPaintDevice& device);

} // namespace print
} // namespace hoardly
