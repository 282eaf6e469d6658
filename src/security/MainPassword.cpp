#include "MainPassword.h"

#include "Scramble.h"
#include "data/SettingsRecord.h"
#include "data/Table.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {
const QString kPasswordField = u"PW"_s;
}

bool mainPasswordIsSet(const Table& config) {
    return !config.asText(kPasswordField).isEmpty();
}

QString upperAsciiLetters(const QString& text) {
    QString upper = text;
    for (QChar& character : upper) {
        if (character >= u'a' && character <= u'z')
            character = QChar(character.unicode() - (u'a' - u'A'));
    }
    return upper;
}

bool samePassword(const QString& a, const QString& b) {
    return upperAsciiLetters(a) == upperAsciiLetters(b);
}

bool matchesMainPassword(const Table& config, const QString& entry) {
    const QString stored = config.asText(kPasswordField);
    if (unconvertibleCharacter(stored, ScrambleDirection::Unscramble))
        return false;
    return samePassword(entry, UnscrambleText(stored));
}

std::optional<QString> newPasswordRefusal(const QString& password) {
    const std::optional<char32_t> character =
        unconvertibleCharacter(password, ScrambleDirection::Scramble);
    if (!character)
        return std::nullopt;
    return u"Your new password holds the character %1, which cannot be scrambled. Please choose "
           "a password without it."_s.arg(describeCharacter(*character));
}

void storeMainPassword(Table& config, const QString& password) {
    const QString scrambled = ScrambleText(password);
    changeSettings(config, [&] { config.setText(kPasswordField, scrambled); });
}

} // namespace hoardly
