#pragma once

#include <QByteArray>
#include <QLabel>

namespace hoardly {

// A picture box of an entry: shows one bitmap stretched to the box. With the focus in it,
// Ctrl+V or Shift+Insert pastes a picture from the clipboard, Ctrl+C or Ctrl+Insert copies it,
// and Ctrl+X or Shift+Delete copies it and empties the box.
class PictureBox final : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The picture in the Windows BMP format; empty for none.
    QByteArray bitmap() const { return bitmap_; }
    void setBitmap(const QByteArray& bitmap);
    // Shows a picture of any kind the program reads, kept as a bitmap.
    void setImage(const QImage& image);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Action { None, Paste, Copy, Cut };
    static Action actionOf(const QKeyEvent* event);

    QByteArray bitmap_;
};

} // namespace hoardly
