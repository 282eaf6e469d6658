#pragma once

#include "RegisterWindow.h"

namespace hoardly {

// The film register: the fields, texts, lists and commands of the film window over the
// register window model.
RegisterDescription filmDescription();

class TFilmForm final : public RegisterWindow {
    Q_OBJECT
public:
    explicit TFilmForm(AppContext& context, QWidget* parent = nullptr);
};

} // namespace hoardly
