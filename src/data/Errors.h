#pragma once

#include <QString>
#include <stdexcept>

namespace hoardly {

// A failure of the record store: a missing or unreadable table file, a missing field or index,
// a statement the engine refuses. Commands let it reach the default error box.
// The text is what the user reads; the code is the engine's extended result code, 0 for a
// failure found by the store itself.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& text, int code = 0)
        : std::runtime_error(text.toStdString()), text_(text), code_(code) {}
    const QString& text() const { return text_; }
    int code() const { return code_; }

private:
    QString text_;
    int code_ = 0;
};

// A file that cannot be read or written.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace hoardly
