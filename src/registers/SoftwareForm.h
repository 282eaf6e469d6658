#pragma once

#include "RegisterWindow.h"

namespace hoardly {

// The software register: the fields, texts, lists and commands of the software window over
// the register window model.
RegisterDescription softwareDescription();

class TSoftwareForm final : public RegisterWindow {
    Q_OBJECT
public:
    explicit TSoftwareForm(AppContext& context, QWidget* parent = nullptr);
};

} // namespace hoardly
