#pragma once

#include <QAbstractScrollArea>
#include <QDialog>
#include <functional>

class QLabel;

namespace hoardly {

class Dialogs;

namespace print {

class ListDocument;

// The pages of a list one under the other, each painted only while it is in sight, so a list
// of thousands of pages shows its first page at once.
class PageView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PageView(const ListDocument& document, QWidget* parent = nullptr);

    int currentPage() const; // 0-based: the page at the top of the view
    void showPage(int page);
    double zoom() const { return pixelsPerMm_; }
    void setZoom(double pixelsPerMm);
    void fitWidth();
    // Pages painted since the view was made; a long list paints only the few in sight.
    int pagesPainted() const { return painted_; }

signals:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QRect pageRect(int page) const; // in viewport coordinates
    int pageHeight() const;
    void updateScrollBars();

    const ListDocument& document_;
    double pixelsPerMm_ = 3.0;
    bool fitted_ = false;
    int painted_ = 0;
    int lastReported_ = -1;
};

// The print preview of a list: its pages, a page counter, zoom, "Print" on the default
// printer and "Save as PDF" into a file the user chooses. Modal; closing it ends the request.
class ListPreview final : public QDialog {
    Q_OBJECT
public:
    ListPreview(const ListDocument& document, Dialogs& dialogs, std::function<void()> print,
                QWidget* parent = nullptr);

    PageView* view() const { return view_; }
    QLabel* pageLabel() const { return pageLabel_; }
    QAction* action(const QString& name) const;
    void saveAsPdf();

private:
    void showPageNumber(int page);

    const ListDocument& document_;
    Dialogs& dialogs_;
    PageView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
};

} // namespace print
} // namespace hoardly
