#pragma once

#include <QIcon>
#include <QPixmap>

namespace hoardly {

// The pictures of the register and lending windows' buttons, drawn by the program itself.
enum class Icon {
    None,
    MainMenu,
    PrintPreview,
    Print,
    PrintToFile,
    Add,
    Edit,
    Delete,
    Lending,
    Search,
    MasterList,
    Back,
    Tip,
    First,
    Prior,
    Next,
    Last,
    Post,
    Cancel,
    Refresh,
    Music,
    Returned,   // a lent object is home again
    NoReminder, // no reminder e-mail for a loan
};

QIcon registerIcon(Icon icon);

// The pictures beside a register's heading.
enum class Picture { Film, Music, Book, Software, Inventory, Codes, Mail };
QPixmap registerPicture(Picture picture, int size);

} // namespace hoardly
