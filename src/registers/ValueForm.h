#pragma once

#include "RegisterWindow.h"

class QLabel;
class QPushButton;

namespace hoardly {

// The home inventory: a browse page with the list of objects, the record panel, the picture
// and the estimated value of the whole collection, and an edit page with a date picker and a
// picture box.
RegisterDescription valueDescription();

// The home inventory's window. "&Pic" loads a picture of any format Qt reads into the picture
// box; the picture is stored as a bitmap when the record is posted.
class TValueForm final : public RegisterWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TValueForm)
public:
    explicit TValueForm(AppContext& context, QWidget* parent = nullptr);

    QLabel* totalLabel() const { return total_; }
    QPushButton* picButton() const { return picKnp_; }
    void PicKnpClick();

private:
    QWidget* buildTotal();
    void setHooks();
    void showTotal();

    QLabel* total_ = nullptr;
    QPushButton* picKnp_ = nullptr;
};

} // namespace hoardly
