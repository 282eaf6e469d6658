#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace hoardly {

// The shared window in which a caller shows a few paragraphs of advice.
class TTipsForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTipsForm)
public:
    explicit TTipsForm(QWidget* parent = nullptr);

    // Replaces the text with these lines (an empty string is an empty line) and shows the
    // window modally.
    void showTips(const QStringList& lines);
    void setLines(const QStringList& lines);
    QString text() const;

private:
    QPlainTextEdit* memo_;
    QPushButton* closeKnp_;
};

} // namespace hoardly
