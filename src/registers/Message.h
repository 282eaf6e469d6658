#pragma once

#include <QString>

namespace hoardly {

// A box's message and caption, as the register's texts give them.
struct Message {
    QString text;
    QString caption;
    bool isEmpty() const { return text.isEmpty() && caption.isEmpty(); }
};

} // namespace hoardly
