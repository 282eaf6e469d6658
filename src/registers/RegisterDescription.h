#pragma once

#include "FindBox.h"
#include "HtmlExport.h"
#include "Message.h"
#include "Navigator.h"
#include "RegisterLogic.h"
#include "data/GridModels.h"
#include "data/RunState.h"
#include "printing/PrintList.h"
#include "ui/CommandTable.h"
#include "ui/Icons.h"
#include "ui/KeyFilters.h"

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace hoardly {

class Table;
struct TableSchema;

// What a line of the browse page's record panel shows of its field(s).
enum class PanelKind {
    Text,    // read-only texts, one under the other
    Memo,    // a read-only memo
    Check,   // a read-only check box of a logical field
    Link,    // a web address the desktop opens when clicked
    Picture, // a picture field, stretched to its box
};

// One line of the browse page's record panel: a label and what it shows of its fields.
struct PanelField {
    PanelField(QString label, QStringList fields, PanelKind kind = PanelKind::Text,
               QString suffix = {})
        : label(std::move(label)), fields(std::move(fields)), kind(kind),
          suffix(std::move(suffix)) {}
    // The line stands out: its value larger and bold.
    PanelField& emphasise() {
        emphasised = true;
        return *this;
    }
    QString label;
    QStringList fields;
    PanelKind kind = PanelKind::Text;
    QString suffix; // shown after the value, e.g. "(min)"
    bool emphasised = false;
};

enum class EditKind {
    Line,
    Spin,
    PickList,
    Memo,
    Check,
    Date,    // a date picker with a drop-down calendar
    Picture, // a picture box: paste, copy and cut with the usual keys
    Radio,   // a group of radio buttons, one per entry of `items`; writes the chosen entry
};

// One control of an entry, written as EditField(label, field, kind) followed by the setters its
// limits need. A bound control writes into the record as the user types; an unbound one
// (`writtenAtOk`) gets the record's value when an entry starts and writes its own at OK.
struct EditField {
    EditField(QString label, QString field, EditKind kind = EditKind::Line)
        : label(std::move(label)), field(std::move(field)), kind(kind) {}
    EditField& noted(QString text) {
        note = std::move(text);
        return *this;
    }
    EditField& limited(int characters) {
        maxLength = characters;
        return *this;
    }
    EditField& digits() {
        keyFilter = KeyFilterKind::DigitsOnly;
        return *this;
    }
    EditField& phoneDigits() {
        keyFilter = KeyFilterKind::PhoneDigits;
        return *this;
    }
    EditField& ranged(int from, int to) {
        minimum = from;
        maximum = to;
        return *this;
    }
    EditField& listing(QStringList entries) {
        items = std::move(entries);
        return *this;
    }
    // Filled from a column of the pick-list table; with `cut` above 0 its entries, and the
    // value OK remembers, are cut to that many characters.
    EditField& rememberedIn(QString column, int cut = 0) {
        remembered = std::move(column);
        rememberedLength = cut;
        return *this;
    }
    EditField& sortedList() {
        sorted = true;
        return *this;
    }
    EditField& atColumn(int number) {
        column = number;
        return *this;
    }
    EditField& unbound() {
        writtenAtOk = true;
        return *this;
    }

    QString label;
    QString field;
    EditKind kind = EditKind::Line;
    QString note;      // shown after the control, e.g. "(YYYY)"
    int maxLength = 0; // characters; 0: what the field holds
    std::optional<KeyFilterKind> keyFilter;
    int minimum = 1; // spin box range
    int maximum = 60000;
    QStringList items;        // pick list: the fixed entries in the order given; radio: the choices
    QString remembered;       // pick list: the column of the pick-list table it is filled from
    int rememberedLength = 0; // remembered values are cut to this many characters; 0: none
    bool sorted = false;      // pick list: entries sorted alphabetically
    int column = 0;           // the column of the page it stands in; memos span the page
    bool writtenAtOk = false;
};

// A radio button of the find group: the field it binds the find box to and the length the box
// then accepts.
struct FindOption {
    FindOption(QString label, QString field, int maxLength = FindBox::kNoLimit)
        : label(std::move(label)), field(std::move(field)), maxLength(maxLength) {}
    QString label;
    QString field;
    int maxLength = FindBox::kNoLimit;
};

// The group "Find": the find box with its result label and the radio buttons that choose its
// field.
struct FindGroup {
    QString title;
    QString caption; // a label before the box; empty: none
    QList<FindOption> options;
    QString startField; // empty: the first option's field
    int startLength = FindBox::kNoLimit;
    bool firstChosenAtStart = true;
    // The options stand in a row under the box, or top to bottom with the box after this many.
    bool stacked = false;
    int optionsAboveBox = 0;
    QString foundText = QStringLiteral("Found!");
    QString notFoundText = QStringLiteral("Not found!");
};

// When the heading shows the current record's field.
enum class HeadingTrigger {
    ListClick = 0x1,
    ListKey = 0x2,
    Navigator = 0x4,
    FindTextChanged = 0x8,
    Found = 0x10,
};
Q_DECLARE_FLAGS(HeadingTriggers, HeadingTrigger)
Q_DECLARE_OPERATORS_FOR_FLAGS(HeadingTriggers)

// The title label over the browse page's list.
struct Heading {
    QString text;  // the first text
    QString field; // what it shows of the current record
    HeadingTriggers triggers;
};

// The browse page: the list of records, the current record's panel and a navigator.
struct BrowsePage {
    QString name;
    QString title;                  // the page's heading, before the picture; empty: none
    std::optional<Picture> picture; // beside the heading
    QList<GridColumn> listColumns;  // none: the page has no list
    QList<PanelField> panel;
    QList<NavButtonDef> navigator;
};

// The master-list page: the whole table in one editable grid.
struct MasterListPage {
    QString name;
    QList<GridColumn> columns;
    QString findField;
    QString findLabel;
    QString findHint;
    QList<NavButtonDef> navigator;
    QString tipsHint;
    QStringList tips;
};

// The master list of the catalogue registers: a find box on the title labelled "Find title",
// the full navigator with the register's hints (first, prior, next, last, add, delete, edit,
// post, cancel, refresh; none given: "First record" … "Uppdate"), the tips button "Info om
// masterlista", and tips that open with the paragraph every such list shares, then the
// register's own lines.
MasterListPage titleMasterList(QList<GridColumn> columns, QString titleField,
                               const QStringList& tips, const QStringList& navigatorHints = {});

// A sort entry of the options menu and the index it selects.
struct SortOption {
    QString command;
    QString index;
};

// Rows of another table that belong to a record through its key, as songs belong to a music
// record: listed under the record on the browse page, found by their names from the find group,
// and deleted with their record in the same transaction.
struct DetailList {
    const TableSchema* table = nullptr;
    QString keyField;    // the record's key, and the rows' field that holds it
    QString nameField;   // what the lists show of a row
    QString title;       // over the browse page's list of the record's rows
    QString noneText;    // the list's one line when the record has no rows
    int shownLength = 0; // the browse page shows this many characters of a name; 0: all
    QString findOption;  // the find group's option that finds a row by its name; empty: none
    QString foundText = QStringLiteral("Found!");
    QString notFoundText = QStringLiteral("Not found!");
    // The hit panel's lines for the row found; the record it belongs to is current.
    std::function<QStringList(const QString& name, const Table& record)> hitLines;
};

// How the window is laid out: a browse page and an edit page (with a search page and a master
// list when the register has them), or one page whose boxes open for an entry.
enum class RegisterLayout { Pages, OnePage };

// Everything that tells one register window from another: its tables, pages, fields, texts,
// lists and commands. The register window model builds the window from it; `checked()` makes
// sure every command and field it names exists.
struct RegisterDescription {
    const TableSchema* table = nullptr;
    QList<const TableSchema*> detailTables; // opened and closed with the window, after `table`
    std::optional<DetailList> detail;       // its table is opened and closed like those
    RegisterLayout layout = RegisterLayout::Pages;
    bool closingHides = false; // the window lives for the run and opens again at each showing
    bool enterMovesOn = true;  // ENTER moves to the next control, as TAB does
    QString nameField;         // the record's name in questions and lending ("Titel")
    QString openIndex;         // selected at each opening; empty: the table keeps its order

    Heading heading;
    BrowsePage browse;
    std::optional<FindGroup> find;

    // Entries: the edit page (or the one page's boxes), the checks and steps of OK.
    QString editPage;
    QList<EditField> editFields;
    QString entryFocus; // the field that takes the focus when an entry starts
    QList<EntryCheck> checks;
    QString indexField;   // the spin box's field: proposed at Add
    QStringList remember; // the pick lists remembered at OK, in this order (by field)
    QStringList editTips;

    QString searchPage; // empty: none
    std::optional<MasterListPage> masterList;

    // Commands.
    CommandSet commands;
    QList<SortOption> sortOptions;
    int sortFallback = 0; // the option ticked when the table's index is none of them
    QString hideColumnCommand;
    QString hideColumnField;
    QString hideHeadingCommand;
    std::optional<LendObjectType> lendObjectType; // the "lending" command lends the record
    std::optional<HtmlExportMember> htmlExport;
    // The list the commands "printPreview" and "print" show and print; the empty-register
    // answer of the print belongs to the list.
    std::optional<PrintList> printLayout;

    // Messages.
    Message editEmpty;
    Message deleteEmpty;
    Message deleteQuestion; // "%1": the record's name
    Message lentQuestion;   // "%1": the record's name; empty: deleting asks nothing about loans

    RegisterShape shape() const;
    const EditField* editField(const QString& field) const;
};

// What is wrong with a description: every command id its places, lock and options use, and
// every field and index its list, panel, entries, checks, find group, master list and sort
// options name, must exist. Empty when all is well.
QStringList descriptionProblems(const RegisterDescription& description);
// Returns the description when it has no problems; stops the program with them otherwise,
// as a description is part of the program.
RegisterDescription checked(RegisterDescription description);

// The ids of the commands the model carries out itself.
namespace cmd {
inline const QString close = QStringLiteral("close");
inline const QString add = QStringLiteral("add");
inline const QString edit = QStringLiteral("edit");
inline const QString remove = QStringLiteral("delete");
inline const QString masterList = QStringLiteral("masterList");
inline const QString back = QStringLiteral("back");
inline const QString findByConditions = QStringLiteral("findByConditions");
inline const QString lending = QStringLiteral("lending");
inline const QString htmlExport = QStringLiteral("htmlExport");
inline const QString printPreview = QStringLiteral("printPreview");
inline const QString print = QStringLiteral("print");
inline const QString help = QStringLiteral("help");
inline const QString about = QStringLiteral("about");
const inline QString musicOff = QStringLiteral("musicOff");
} // namespace cmd

// One of the commands every register has, with its icon and shortcut; the texts are the
// register's own (menu entry, tool-bar hint, pop-up entry; empty: none there).
CommandDef registerCommand(const QString& id, const QString& menuText, const QString& toolHint = {},
                           const QString& popupText = {});
// The HTML export of a register, with the "&File" menu's and the pop-up menu's texts of its
// member and the shortcut Ctrl+I.
CommandDef htmlExportCommand(const HtmlExportMember& member);
// A ticked entry of the options menu.
CommandDef optionCommand(const QString& id, const QString& menuText);
// The options menu's entry that turns the background music off while it is ticked.
CommandDef musicOffCommand(const QString& menuText = QStringLiteral("Turn music off"));

// What one of the record commands reads in each place: menu entry, tool-bar hint, pop-up entry.
struct CommandTexts {
    QString menu;
    QString hint;
    QString popup;
};

// What a catalogue register (film, music, literature, software) says of its commands. The
// places are the same for all of them: "&File" with "close", the database menu, "&Help", the
// tool bar close | add edit delete | lending, find by conditions, master list, back; and the
// same lock over the tool bar, the file and database menus and the pop-up.
struct CatalogueCommands {
    CommandTexts close, add, edit, remove, lending, findByConditions, masterList;
    // The printed list: both stand after close on the tool bar and in "&File" (the HTML export
    // between them); the pop-up shows them where `popup` names them.
    CommandTexts printPreview, print;
    bool printLockedOnToolBar = false; // the lock covers the tool bar's "Print" too
    bool previewLockedInPopup = true;  // the lock covers the pop-up's "Print preview"
    QString databaseMenu = QStringLiteral("&Database");
    bool databaseMenuSeparated = true; // a separator before "lending"
    // After "&File"; its commands are among `extras`. "Turn music off" ends it, after a
    // separator, and makes the menu where a register has no options of its own.
    std::optional<MenuDef> optionsMenu;
    QList<CommandDef> extras; // the register's own commands
    // Command ids; empty: the record commands, the print preview, the HTML export, the print
    // and close.
    QStringList popup;
    // The HTML export: its "&File" entry stands before "Print", and its pop-up entry, when the
    // member has one, right before "Print" (or close) in the pop-up.
    std::optional<HtmlExportMember> htmlExport;
};
CommandSet catalogueCommands(const CatalogueCommands& texts);

} // namespace hoardly
