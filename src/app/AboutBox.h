#pragma once

#include <QDialog>

namespace hoardly {

// The About window: the program's icon, name, version and download link.
class TAboutBox final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAboutBox)
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace hoardly
