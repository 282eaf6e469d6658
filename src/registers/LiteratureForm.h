#pragma once

#include "RegisterWindow.h"

namespace hoardly {

// The literature register: the fields, texts, lists and commands of the literature window
// over the register window model.
RegisterDescription literatureDescription();

// The literature window. Besides the model's commands it writes the current-literature list,
// a plain-text list of every book in the list's order, from its pop-up menu.
class TBokForm final : public RegisterWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBokForm)
public:
    explicit TBokForm(AppContext& context, QWidget* parent = nullptr);

    // "Send to file (HTML)" of the pop-up menu: the current-literature list.
    void writeCurrentLiteratureList();
};

} // namespace hoardly
