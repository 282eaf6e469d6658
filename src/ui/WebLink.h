#pragma once

#include <QLabel>

namespace hoardly {

// A web address shown as a link: underlined and blue, red while the mouse button is held on
// it, navy once it has been opened. Releasing the button over it asks for it to be opened.
// Its text is the address; an empty text shows nothing.
class WebLink final : public QLabel {
    Q_OBJECT
public:
    explicit WebLink(QWidget* parent = nullptr);
    bool wasOpened() const { return opened_; }

signals:
    void openRequested(const QString& address);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintAs(const QColor& color);

    bool pressed_ = false;
    bool opened_ = false;
};

} // namespace hoardly
