#include "TDM.h"

#include "Errors.h"

using namespace Qt::StringLiterals;

namespace hoardly {

TDM::TDM(QObject* parent) : TDM(Connection::Main::BesideTables, parent) {}

TDM::TDM(Connection::Main main, QObject* parent)
    : QObject(parent), connection_(std::make_unique<Connection>(main)) {
    for (const TableSchema* schema : schema::all()) {
        Entry entry;
        entry.table = std::make_unique<Table>(*connection_, *schema);
        entry.source = std::make_unique<DataSource>(*entry.table);
        entries_.push_back(std::move(entry));
    }
    filmQ_.setStatement({u"Select Titel"_s, u"From Film"_s, u"Where Titel = 'Titanic';"_s});
    // The orders the film, music and literature tables open in; a window that changes one
    // keeps it for the rest of the run.
    filmTb().selectIndex(u"Nummer"_s);
    musikTb().selectIndex(u"Artist_Grupp"_s);
    bokTb().selectIndex(u"Index_Sec"_s);
}

TDM::~TDM() {
    // Tables detach from the connection, so they go first.
    for (Entry& entry : entries_) {
        entry.source.reset();
        entry.table.reset();
    }
}

const TDM::Entry& TDM::entry(const TableSchema& schema) const {
    for (const Entry& entry : entries_) {
        if (&entry.table->schema() == &schema)
            return entry;
    }
    throw StoreError(u"No table object for %1."_s.arg(schema.fileName));
}

Table& TDM::table(const TableSchema& schema) const {
    return *entry(schema).table;
}

DataSource& TDM::source(const TableSchema& schema) const {
    return *entry(schema).source;
}

void TDM::setDirectoryOfClosed(const QString& directory) {
    for (Entry& entry : entries_) {
        if (!entry.table->isOpen())
            entry.table->setDirectory(directory);
    }
    filmQ_.setDirectory(directory);
}

void TDM::closeAll() {
    filmQ_.close();
    for (Entry& entry : entries_)
        entry.table->close();
}

} // namespace hoardly
