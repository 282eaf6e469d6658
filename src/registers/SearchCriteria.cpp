#include "SearchCriteria.h"

#include "data/Collation.h"
#include "data/Errors.h"
#include "data/TDM.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoardly::search {

namespace {

bool isWrittenInDigits(const QString& text) {
    static const QRegularExpression digits(u"^[+-]?[0-9]+$"_s);
    return digits.match(text).hasMatch();
}

// A whole number as the user typed it, blanks around it allowed.
std::optional<qlonglong> wholeNumber(const QString& typed) {
    const QString text = typed.trimmed();
    if (!isWrittenInDigits(text))
        return std::nullopt;
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    return ok ? std::optional<qlonglong>(number) : std::nullopt;
}

// Why a typed text is no whole number the statement can hold.
QString numberProblem(const QString& typed, const QString& hint) {
    const QString trimmed = typed.trimmed();
    QString text;
    if (trimmed.isEmpty())
        text = u"No number was given."_s;
    else if (!isWrittenInDigits(trimmed))
        text = u"\"%1\" is not a whole number."_s.arg(typed);
    else if (trimmed.startsWith(u'-'))
        text = u"\"%1\" is too small a number."_s.arg(typed);
    else
        text = u"\"%1\" is too large a number."_s.arg(typed);
    if (!hint.isEmpty())
        text += u'\n' + hint;
    return text;
}

Table& openedTable(TDM& tdm, const TableSchema& schema) {
    Table& table = tdm.table(schema);
    table.open();
    return table;
}

// The pick-list table is read where it stands: its position is of no concern to anybody.
QStringList standardColumn(TDM& tdm, const QString& column) {
    QStringList values = openedTable(tdm, schema::standard()).columnTexts(column);
    values.removeAll(QString());
    return values;
}

// A register's own table is walked record by record, so it ends on its last record, as the
// register's users know it to.
QStringList registerColumn(TDM& tdm, const TableSchema& schema, const QString& column) {
    QStringList values;
    openedTable(tdm, schema)
        .scan(
            {column},
            [&values](const ScanRow& row) {
                if (QString value = row.text(0); !value.isEmpty())
                    values << std::move(value);
                return true;
            },
            ScanEnd::AtLastVisited);
    return values;
}

} // namespace

QString sqlTextLiteral(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\'', u"''"_s);
    return u'\'' + quoted + u'\'';
}

BuiltStatement buildStatement(const Criterion& criterion, const QStringList& typed) {
    return buildStatement(criterion.statement, typed, criterion.numberHint);
}

BuiltStatement buildStatement(const QString& pattern, const QStringList& typed,
                              const QString& numberHint) {
    static const QRegularExpression mark(u"'\\{T([12])\\}'|\\{T([12])\\}"_s);
    BuiltStatement built;
    qsizetype from = 0;
    for (auto matches = mark.globalMatch(pattern); matches.hasNext();) {
        const QRegularExpressionMatch match = matches.next();
        const QString piece = pattern.mid(from, match.capturedStart() - from);
        built.sql += piece;
        built.text += piece;
        from = match.capturedEnd();

        const bool quoted = match.hasCaptured(1);
        const QString value =
            typed.value((quoted ? match.captured(1) : match.captured(2)).toInt() - 1);
        built.sql += u'?';
        if (quoted) {
            built.values << value;
            built.text += sqlTextLiteral(value);
            continue;
        }
        const std::optional<qlonglong> number = wholeNumber(value);
        if (!number) {
            built.problem = numberProblem(value, numberHint);
            return built;
        }
        built.values << *number;
        built.text += QString::number(*number);
    }
    const QString rest = pattern.mid(from);
    built.sql += rest;
    built.text += rest;
    return built;
}

QList<ColumnLook> columnLooks(const QList<ResultColumn>& visible,
                              const QStringList& resultColumns) {
    QList<bool> used(visible.size(), false);
    QList<ColumnLook> looks;
    for (const QString& name : resultColumns) {
        ColumnLook look{name, true};
        for (qsizetype i = 0; i < visible.size(); ++i) {
            if (used[i] || visible[i].field.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            used[i] = true;
            look = {visible[i].title.isEmpty() ? name : visible[i].title, false};
            break;
        }
        looks << look;
    }
    return looks;
}

QStringList sourceEntries(TDM& tdm, const PickSource& source) {
    switch (source.kind) {
    case SourceKind::Nothing:
        return {};
    case SourceKind::Fixed:
        return source.entries;
    case SourceKind::StandardColumn:
        return standardColumn(tdm, source.column);
    case SourceKind::RegisterColumn:
        if (!source.table)
            throw StoreError(u"The pick list of column %1 names no table."_s.arg(source.column));
        return registerColumn(tdm, *source.table, source.column);
    }
    return {};
}

QStringList pickListEntries(TDM& tdm, const InputRow& input) {
    QStringList entries = sourceEntries(tdm, input.source);
    return input.sorted ? sortedForPeople(std::move(entries)) : entries;
}

} // namespace hoardly::search
