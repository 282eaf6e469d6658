#pragma once

#include <QList>
#include <QStringList>

namespace hoardly {

class TDM;
class Table;

// Appends one record a row: row[i] is the text of fields[i], an empty text leaves the field
// empty. Opens the table when it is closed and closes it again afterwards.
void appendRecords(Table& table, const QStringList& fields, const QList<QStringList>& rows);

// A few realistic records for the pictures of the windows, put into a fresh starter catalogue
// before a window opens. Every table is left closed, as the start-up leaves it.

// Films, with their actors, directors and rates remembered for the pick lists as the film
// window's OK remembers them.
void addDemoFilms(TDM& tdm);
// A record and a book beside the films, and three loans filed as the lend-out files them (the
// lent objects marked as lent). Lends demo films: call addDemoFilms first.
void addDemoLoans(TDM& tdm);
// Music records with their songs, their artists remembered, one of them lent out.
void addDemoMusic(TDM& tdm);
// People and a shop in the address book.
void addDemoAddresses(TDM& tdm);
// Objects of the home inventory, each with a picture.
void addDemoInventory(TDM& tdm);
// Software items, their manufacturers remembered for the pick list, and one of them lent out.
void addDemoSoftware(TDM& tdm);
// Books, their authors and publishers remembered for the pick lists, and one of them lent out.
// Not together with addDemoLoans, which files a book of its own.
void addDemoBooks(TDM& tdm);
// A few receivers and their codes, kept plain.
void addDemoCodes(TDM& tdm);

} // namespace hoardly
