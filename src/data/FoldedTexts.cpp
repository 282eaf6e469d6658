#include "FoldedTexts.h"

#include <cstddef>
#include <cstring>

namespace hoardly {

void FoldedTexts::reset(size_t count) {
    buffer_.clear();
    spans_.assign(count, {0, 0});
}

void FoldedTexts::clear() {
    buffer_ = QByteArray();
    spans_ = {};
}

void FoldedTexts::set(size_t position, const QString& text) {
    if (position >= spans_.size())
        return;
    const QByteArray bytes = folded(text).toUtf8();
    spans_[position] = {std::uint32_t(buffer_.size()), std::uint32_t(bytes.size())};
    buffer_.append(bytes);
}

void FoldedTexts::erase(size_t position) {
    if (position < spans_.size())
        spans_.erase(spans_.begin() + std::ptrdiff_t(position));
}

void FoldedTexts::insert(size_t position, const QString& text) {
    if (position > spans_.size())
        return;
    spans_.insert(spans_.begin() + std::ptrdiff_t(position), {0, 0});
    set(position, text);
}

int FoldedTexts::firstStartingWith(const QString& prefix) const {
    const QByteArray wanted = folded(prefix).toUtf8();
    const char* data = buffer_.constData();
    const auto size = std::uint32_t(wanted.size());
    for (size_t i = 0; i < spans_.size(); ++i) {
        const auto [offset, length] = spans_[i];
        if (length >= size && std::memcmp(data + offset, wanted.constData(), size) == 0)
            return int(i);
    }
    return -1;
}

} // namespace hoardly
