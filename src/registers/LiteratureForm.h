#pragma once

#include "RegisterWindow.h"

#include <QDate>
#include <functional>

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
    using Today = std::function<QDate()>;

    explicit TBokForm(AppContext& context, QWidget* parent = nullptr);

    // The day the current-literature list is dated with; the clock's by default.
    void setToday(Today today) { today_ = std::move(today); }
    // "Send to file (HTML)" of the pop-up menu: the current-literature list.
    void writeCurrentLiteratureList();

private:
    Today today_;
};

} // namespace hoardly
