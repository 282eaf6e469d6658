#pragma once

#include "FindBox.h"
#include "Navigator.h"
#include "data/GridModels.h"
#include "ui/CommandTable.h"
#include "ui/Icons.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace hoardly {

struct TableSchema;

// A box's message and caption, as the register's texts give them.
struct Message {
    QString text;
    QString caption;
};

// One line of the browse page's record panel: a label and the read-only text of one or more
// fields (one under the other), or a read-only memo.
struct PanelField {
    PanelField(QString label, QStringList fields, bool memo = false, QString suffix = {})
        : label(std::move(label)), fields(std::move(fields)), memo(memo),
          suffix(std::move(suffix)) {}
    QString label;
    QStringList fields;
    bool memo = false;
    QString suffix; // shown after the value, e.g. "(min)"
};

enum class EditKind { Line, Spin, PickList, Memo, Check };

// One control of the edit page, written as EditField(label, field, kind) followed by the
// setters its limits need.
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
        digitsOnly = true;
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
    EditField& rememberedIn(QString column) {
        remembered = std::move(column);
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

    QString label;
    QString field;
    EditKind kind = EditKind::Line;
    QString note;      // shown after the control, e.g. "(YYYY)"
    int maxLength = 0; // characters; 0: what the field holds
    bool digitsOnly = false;
    int minimum = 1; // spin box range
    int maximum = 60000;
    QStringList items;   // pick list: the fixed entries, in the order given
    QString remembered;  // pick list: the column of the pick-list table it is filled from
    bool sorted = false; // pick list: entries sorted alphabetically
    int column = 0;      // the edit page's column it stands in; memos span the page
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

// A sort entry of the options menu and the index it selects.
struct SortOption {
    QString command;
    QString index;
};

// Everything that tells one register window from another: its table, pages, fields, texts,
// lists and commands. The register window model builds the window from it.
struct RegisterDescription {
    const TableSchema* table = nullptr;
    QString nameField; // the record's name in questions and lending ("Titel")

    // The pages, by name.
    QString browsePage;
    QString editPage;
    QString searchPage;
    QString masterListPage;

    // Browse page.
    QString heading;      // the title label's first text
    QString headingField; // what it shows of the current record
    Picture picture = Picture::Film;
    QList<GridColumn> listColumns;
    QList<PanelField> panel;
    QList<NavButtonDef> navigator;
    QString findTitle;
    QList<FindOption> findOptions; // the first is chosen at start
    int findStartLength = FindBox::kNoLimit;
    QString foundText;
    QString notFoundText;

    // Edit page.
    QList<EditField> editFields;
    QString requiredField; // checked at OK
    Message requiredMissing;
    QString indexField;   // the spin box's field: proposed at Add, written at OK
    QStringList remember; // the pick lists remembered at OK, in this order (by field)
    QStringList editTips;

    // Master-list page.
    QList<GridColumn> masterColumns;
    QString masterFindField;
    QString masterFindLabel;
    QString masterFindHint;
    QList<NavButtonDef> masterNavigator;
    QString masterTipsHint;
    QStringList masterTips;

    // Commands.
    CommandSet commands;
    QList<SortOption> sortOptions;
    int sortFallback = 0; // the option ticked when the table's index is none of them
    QString hideColumnCommand;
    QString hideColumnField;
    QString hideHeadingCommand;

    // Messages.
    Message editEmpty;
    Message deleteEmpty;
    QString deleteCaption;
    QString deleteText; // "%1": the record's name
    QString lentCaption;
    QString lentText; // "%1": the record's name
};

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
inline const QString help = QStringLiteral("help");
inline const QString about = QStringLiteral("about");
} // namespace cmd

} // namespace hoardly
