#pragma once

#include "data/Errors.h"

#include <QString>
#include <optional>

namespace hoardly {

// How far scrambling moves each character: one decimal digit, the same for the main password
// and the code store. Changing it would leave every stored password and scrambled code
// unreadable.
inline constexpr char32_t kScrambleOffset = 7;

enum class ScrambleDirection { Scramble, Unscramble };

// The first character of the text that has no counterpart the offset away (it would leave the
// range of Unicode characters or land on a surrogate), or the broken half of a surrogate pair;
// nothing when the whole text converts.
std::optional<char32_t> unconvertibleCharacter(const QString& text, ScrambleDirection direction);

// A character as a message names it: "Å" (U+00C5), or U+D800 alone when it cannot be shown.
QString describeCharacter(char32_t character);

// A text that ScrambleText or UnscrambleText cannot convert. A command that meets it stops
// with its text in the error box, as after any failed write; callers that can say which text
// it is check first with unconvertibleCharacter.
class ScrambleError : public StoreError {
public:
    using StoreError::StoreError;
};

// The characters in reverse order, each raised by the offset; as many characters as the text.
// Throws ScrambleError.
QString ScrambleText(const QString& text);
// The reverse: UnscrambleText(ScrambleText(text)) is the text again. Throws ScrambleError.
QString UnscrambleText(const QString& text);

} // namespace hoardly
