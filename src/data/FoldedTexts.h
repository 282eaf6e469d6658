#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace hoardly {

// The case-folded texts of one field, one per position, kept as UTF-8 in one buffer: a
// million song names take a few dozen megabytes instead of a hundred, and a prefix is found by
// comparing bytes (a UTF-8 prefix of the folded text is exactly a prefix of its characters).
class FoldedTexts {
public:
    void reset(size_t count);
    void clear();
    bool isEmpty() const { return spans_.empty(); }
    size_t size() const { return spans_.size(); }
    void set(size_t position, const QString& text);
    // A record taken out of the order, or put in at a place, as one write moves it: the texts
    // after it move up or down, and the buffer grows only by the new text.
    void erase(size_t position);
    void insert(size_t position, const QString& text);
    // The first position whose text starts with the folded prefix; -1 when none does.
    int firstStartingWith(const QString& prefix) const;

    static QString folded(const QString& text) { return text.toCaseFolded(); }

private:
    QByteArray buffer_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans_; // offset and length
};

} // namespace hoardly
