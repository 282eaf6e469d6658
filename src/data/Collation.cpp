#include "Collation.h"

#include <QCollator>
#include <algorithm>
#include <atomic>

namespace hoardly {

namespace {

QLocale systemCollationLocale() {
    const QLocale system = QLocale::system();
    return system.language() == QLocale::C ? QLocale(QLocale::English) : system;
}

QCollator collatorFor(const QLocale& locale) {
    QCollator made(locale);
    made.setCaseSensitivity(Qt::CaseInsensitive);
    return made;
}

// One collator for the whole run: making one is far dearer than comparing with it.
QCollator& collator() {
    static QCollator instance = collatorFor(systemCollationLocale());
    return instance;
}

using KeyedText = std::pair<qint64, QString>;

// Records of one artist or author stand side by side with the same text; the collator, the
// dear part of ordering a large table, is needed only where the texts differ.
template <class Compare>
bool keyedLess(const KeyedText& a, const KeyedText& b, const Compare& compare) {
    const int order = a.second == b.second ? 0 : compare(a.second, b.second);
    return order != 0 ? order < 0 : a.first < b.first;
}

template <class Compare>
std::vector<qint64> orderKeys(std::vector<KeyedText> rows, const Compare& compare) {
    // The rows that already stand in order stay where they are; the others are sorted on their
    // own and merged in. Keys make every pair of rows differ, so the order is one and only.
    const auto less = [&compare](const KeyedText& a, const KeyedText& b) {
        return keyedLess(a, b, compare);
    };
    std::vector<KeyedText> inOrder;
    std::vector<KeyedText> outOfPlace;
    inOrder.reserve(rows.size());
    for (KeyedText& row : rows) {
        if (inOrder.empty() || less(inOrder.back(), row))
            inOrder.push_back(std::move(row));
        else
            outOfPlace.push_back(std::move(row));
    }
    std::sort(outOfPlace.begin(), outOfPlace.end(), less);
    std::vector<qint64> keys;
    keys.reserve(inOrder.size() + outOfPlace.size());
    auto a = inOrder.cbegin();
    auto b = outOfPlace.cbegin();
    while (a != inOrder.cend() || b != outOfPlace.cend()) {
        const bool takeB = a == inOrder.cend() || (b != outOfPlace.cend() && less(*b, *a));
        keys.push_back(takeB ? (b++)->first : (a++)->first);
    }
    return keys;
}

} // namespace

QLocale collationLocale() {
    return collator().locale();
}

namespace {
std::atomic<int> collationChanges{0};
}

void setCollationLocale(const std::optional<QLocale>& locale) {
    collator().setLocale(locale.value_or(systemCollationLocale()));
    ++collationChanges;
}

int collationGeneration() {
    return collationChanges;
}

int compareForPeople(QStringView a, QStringView b) {
    return collator().compare(a, b);
}

void sortForPeople(QStringList& texts) {
    std::stable_sort(texts.begin(), texts.end(),
                     [](const QString& a, const QString& b) { return compareForPeople(a, b) < 0; });
}

QStringList sortedForPeople(QStringList texts) {
    sortForPeople(texts);
    return texts;
}

std::vector<qint64> keysOrderedForPeople(std::vector<KeyedText> rows) {
    return orderKeys(std::move(rows), compareForPeople);
}

bool keyedBeforeForPeople(qint64 keyA, const QString& a, qint64 keyB, const QString& b) {
    return keyedLess(KeyedText(keyA, a), KeyedText(keyB, b), compareForPeople);
}

std::vector<qint64> keysOrderedForPeople(std::vector<KeyedText> rows, const QLocale& locale) {
    const QCollator own = collatorFor(locale);
    return orderKeys(std::move(rows),
                     [&own](const QString& a, const QString& b) { return own.compare(a, b); });
}

} // namespace hoardly
