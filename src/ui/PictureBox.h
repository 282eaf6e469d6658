#pragma once

#include <QByteArray>
#include <QImage>
#include <QLabel>

namespace hoardly {

// A picture box of an entry: shows one bitmap stretched to the box. With the focus in it,
// Ctrl+V or Shift+Insert pastes a picture from the clipboard, Ctrl+C or Ctrl+Insert copies it,
// and Ctrl+X or Shift+Delete copies it and empties the box.
class PictureBox final : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The picture shown; a null image for none.
    QImage image() const { return image_; }
    void setImage(const QImage& image);
    // A picture field's value in and out: the bitmap behind its header.
    void setFieldValue(const QByteArray& stored);
    QByteArray fieldValue() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Action { None, Paste, Copy, Cut };
    static Action actionOf(const QKeyEvent* event);

    QImage image_;
};

} // namespace hoardly
