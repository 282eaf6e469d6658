#include "Scramble.h"

#include <QList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr char32_t kLastCharacter = 0x10FFFF;

bool isSurrogate(char32_t value) {
    return value >= 0xD800 && value <= 0xDFFF;
}

// The characters of the text, pairs of surrogates joined; a lone half comes back as the
// problem, since no character stands for it.
std::optional<char32_t> decode(const QString& text, QList<char32_t>& characters) {
    characters.clear();
    characters.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            characters << QChar::surrogateToUcs4(unit, text[i + 1]);
            ++i;
        } else if (unit.isSurrogate()) {
            return unit.unicode();
        } else {
            characters << unit.unicode();
        }
    }
    return std::nullopt;
}

std::optional<char32_t> shifted(char32_t character, ScrambleDirection direction) {
    if (direction == ScrambleDirection::Scramble) {
        if (character > kLastCharacter - kScrambleOffset)
            return std::nullopt;
        character += kScrambleOffset;
    } else {
        if (character < kScrambleOffset)
            return std::nullopt;
        character -= kScrambleOffset;
    }
    if (isSurrogate(character))
        return std::nullopt;
    return character;
}

QString convert(const QString& text, ScrambleDirection direction) {
    QList<char32_t> characters;
    if (const std::optional<char32_t> broken = decode(text, characters))
        throw ScrambleError(u"The text holds the broken character %1 and cannot be changed."_s.arg(
            describeCharacter(*broken)));
    std::reverse(characters.begin(), characters.end());
    for (char32_t& character : characters) {
        const std::optional<char32_t> moved = shifted(character, direction);
        if (!moved)
            throw ScrambleError(
                (direction == ScrambleDirection::Scramble
                     ? u"The text holds the character %1, which cannot be scrambled."_s
                     : u"The text holds the character %1, which cannot be unscrambled."_s)
                    .arg(describeCharacter(character)));
        character = *moved;
    }
    return QString::fromUcs4(characters.constData(), characters.size());
}

} // namespace

std::optional<char32_t> unconvertibleCharacter(const QString& text, ScrambleDirection direction) {
    QList<char32_t> characters;
    if (const std::optional<char32_t> broken = decode(text, characters))
        return broken;
    for (const char32_t character : std::as_const(characters)) {
        if (!shifted(character, direction))
            return character;
    }
    return std::nullopt;
}

QString describeCharacter(char32_t character) {
    const QString code = u"U+%1"_s.arg(uint(character), 4, 16, QChar(u'0')).toUpper();
    if (isSurrogate(character) || !QChar::isPrint(character))
        return code;
    return u"\""_s + QString::fromUcs4(&character, 1) + u"\" ("_s + code + u')';
}

QString ScrambleText(const QString& text) {
    return convert(text, ScrambleDirection::Scramble);
}

QString UnscrambleText(const QString& text) {
    return convert(text, ScrambleDirection::Unscramble);
}

} // namespace hoardly
