#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace hoardly {

class TDM;
struct TableSchema;

// The search by conditions of the film, music, literature and software windows: one
// mechanism, driven by one table of criteria per register. Nothing here needs a widget.
namespace search {

// The text an input gets back from Reset, and the usual first text of a pick list.
inline constexpr auto kChooseHere = "Choose here";

// Where an input's pick list comes from.
enum class SourceKind {
    Nothing,        // no list: the input holds a hint to overwrite, or is not in use
    StandardColumn, // a column of the pick-list table Standard.db, in its own order
    RegisterColumn, // a column of a register table (song names, web addresses, suppliers)
    Fixed,          // a list written into the program
};

struct PickSource {
    SourceKind kind = SourceKind::Nothing;
    const TableSchema* table = nullptr; // RegisterColumn only
    QString column;                     // StandardColumn and RegisterColumn
    QStringList entries;                // Fixed only
};

// What one input looks like while a criterion is selected.
struct InputRow {
    QString prompt; // the label above the input; empty shows nothing
    bool inUse = true;
    QString text; // first text: "Choose here", a hint, or the fixed text of a disabled input
    PickSource source;
    bool sorted = false; // the list shows its entries alphabetically
};

// A result column that stays visible, with its title (empty: the field name stays).
struct ResultColumn {
    QString field;
    QString title;
};

// One radio button of a search page and everything its selection and Submit do.
struct Criterion {
    QString radioText;
    InputRow first;
    InputRow second; // used only where the register has a second input
    // The statement with the typed values marked: '{T1}' stands for the first input's text
    // as a quoted SQL text, {T1} bare for a whole number; {T2} likewise for the second input.
    QString statement;
    bool throughFile = false;    // written to sql.txt and run from there
    QString numberHint;          // added to the message when a whole number is wrong
    QList<ResultColumn> columns; // the visible result columns; every other one is hidden
};

enum class Opening {
    SelectFirst,         // opening the page selects the first criterion
    NothingSelectedFirst // no criterion at first; the first visit empties the shared query
};

// A caption and message shown after Reset when the register's table is empty.
struct EmptyTableNotice {
    const TableSchema* table = nullptr;
    QString caption;
    QString text;
};

// One register's search page.
struct SearchRegister {
    QString firstPromptText;  // the prompt before any criterion is selected
    QString secondPromptText; // likewise; empty when the register has one input
    QString inputText;        // the inputs' text before any criterion is selected
    bool twoInputs = false;
    bool submitIsDefault = true; // ENTER on the page presses Submit
    Opening opening = Opening::SelectFirst;
    std::optional<EmptyTableNotice> emptyAfterReset;
    QList<Criterion> criteria;
};

// The film window's twelve criteria.
const SearchRegister& filmSearch();
// The music window's eight criteria.
const SearchRegister& musicSearch();
// The literature window's six criteria.
const SearchRegister& literatureSearch();
// The software window's eight criteria.
const SearchRegister& softwareSearch();

// A statement ready to run: the typed values bound to "?" marks, so no typed character can
// change the statement, and the same statement with the values written in as SQL literals
// (what sql.txt receives).
struct BuiltStatement {
    QString sql;
    QVariantList values;
    QString text;
    QString problem; // not empty when a value cannot stand in the statement
};

// Fills the marks of a criterion's statement with the typed texts T1, T2.
BuiltStatement buildStatement(const Criterion& criterion, const QStringList& typed);
BuiltStatement buildStatement(const QString& pattern, const QStringList& typed,
                              const QString& numberHint = {});

// A text as an SQL string literal: between apostrophes, each apostrophe doubled.
QString sqlTextLiteral(const QString& text);

// How the grid shows each column of a result: its title and whether it is hidden.
struct ColumnLook {
    QString title;
    bool hidden = false;
};
QList<ColumnLook> columnLooks(const QList<ResultColumn>& visible, const QStringList& resultColumns);

// The entries of a pick list in the order it shows them.
QStringList pickListEntries(TDM& tdm, const InputRow& input);
// Every non-empty value of one column of the source, from the first record to the last.
QStringList sourceEntries(TDM& tdm, const PickSource& source);

} // namespace search
} // namespace hoardly
