#include "MusikForm.h"

#include "DetailRows.h"
#include "MusicLists.h"
#include "SearchCriteria.h"
#include "SearchPage.h"
#include "data/Schema.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "data/WriteTogether.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const QString kKey = u"Mid"_s;
const QString kTitle = u"Titel"_s;
const QString kArtist = u"Artist"_s;
const QString kMixed = u"Samlingsskiva"_s;
const QString kArtistColumn = u"Musikartist"_s;
const QString kSongBox = u"songBox"_s;
const QString kSaveNext = u"saveNext"_s;
constexpr int kRememberedArtistLength = 40;

CommandSet musicCommands() {
    CatalogueCommands texts;
    texts.close = {u"Back to mainmenu"_s, u"Back to mainmenu"_s, u"Back to main"_s};
    texts.printPreview = {u"Print preview"_s, u"Print preview"_s, u"Print preview"_s};
    texts.print = {u"Print"_s, u"Print"_s, u"Print"_s};
    texts.add = {u"Add record"_s, u"Add record"_s, u"Add record"_s};
    texts.edit = {u"Edit record"_s, u"Edit record"_s, u"Edit record"_s};
    texts.remove = {u"Del record"_s, u"Del record"_s, u"Del record"_s};
    texts.lending = {u"Lent out"_s, u"Lent out"_s, u"Lent out"_s};
    texts.findByConditions = {u"Find records by conditions"_s, u"Find by conditions"_s,
                              u"Find by conditions"_s};
    texts.masterList = {u"Masterlist"_s, u"Masterlist"_s, u"Masterlist"_s};
    texts.databaseMenu = u"&Database functions"_s;
    texts.databaseMenuSeparated = false;
    texts.popup = {
        cmd::add,        cmd::edit, cmd::remove,       cmd::lending, cmd::findByConditions,
        cmd::masterList, u"|"_s,    cmd::printPreview, cmd::print,   cmd::close};
    texts.htmlExport = html::member(html::Register::Music);
    return catalogueCommands(texts);
}

QList<EditField> musicEditFields() {
    return {
        EditField(u"Title*"_s, kTitle),
        EditField(u"Mixed record"_s, kMixed, EditKind::Check).noted(u"(mixed artists)"_s).unbound(),
        EditField(u"Artist/group*"_s, kArtist, EditKind::PickList)
            .rememberedIn(kArtistColumn)
            .sortedList(),
        EditField(u"Category"_s, u"Kategori"_s, EditKind::PickList).listing(music::categories()),
        EditField(u"Storage"_s, u"Media"_s, EditKind::PickList).listing(music::storageKinds()),
        EditField(u"From year"_s, u"Produktionsar"_s).limited(4).digits(),
    };
}

MasterListPage musicMasterList() {
    return titleMasterList(
        {{kTitle, u"Title"_s},
         {kArtist, u"Artist"_s},
         {u"Kategori"_s, u"Category"_s},
         {u"Produktionsar"_s, u"From year"_s},
         {u"Media"_s, u"Storage"_s}},
        kTitle,
        {u"Tip: You can search a title by the field above to left.To add a record use the  "_s
         u"\"New record button\""_s
         u" in the toolbar. you can edit a field direct in the cell The edit record will be "
         u"saved after You have leave it or when you close this form You can't edit any "
         u"lent-out music here."_s,
         QString(), QString()},
        {u"First record"_s, u"Prior record"_s, u"Next"_s, u"Last"_s, u"Add record"_s,
         u"Del record"_s, u"Edit record"_s, u"Save"_s, u"Cancel edit"_s, u"Refresh"_s});
}

DetailList songList() {
    DetailList songs;
    songs.table = &schema::song();
    songs.keyField = kKey;
    songs.nameField = u"Namn"_s;
    songs.title = u"Songs"_s;
    songs.noneText = u"No songs added"_s;
    songs.shownLength = 40;
    songs.findOption = u"Song"_s;
    songs.foundText = u"Hit!"_s;
    songs.notFoundText = u"Not found!"_s;
    songs.hitLines = [](const QString& song, const Table& record) {
        return QStringList{u"Song:     "_s + song,
                           u" "_s,
                           u"From title:    "_s + record.asText(kTitle),
                           u"With artist:   "_s + record.asText(kArtist),
                           u" "_s,
                           u" "_s,
                           u" "_s,
                           u"The search is find nearest as possible."_s};
    };
    return songs;
}

} // namespace

RegisterDescription musicDescription() {
    RegisterDescription d;
    d.table = &schema::musik();
    d.detail = songList();
    d.nameField = kTitle;
    // The heading follows the song list, which shows the record's artist at every refresh.
    d.heading = {u"Music"_s, kArtist, HeadingTrigger::Found};
    d.browse.name = u"Musik"_s;
    d.browse.picture = Picture::Music;
    d.browse.listColumns = {{kTitle, u"Title"_s}};
    d.browse.panel = {PanelField(u"Category"_s, {u"Kategori"_s}),
                      PanelField(u"Storage"_s, {u"Media"_s}),
                      PanelField(u"From year"_s, {u"Produktionsar"_s}),
                      PanelField(u"Lent to"_s, {u"Utlanad till"_s})};
    d.browse.navigator =
        Navigator::moves({u"First record"_s, u"Prior record"_s, u"Next"_s, u"Last"_s});
    FindGroup find;
    find.title = u"Find"_s;
    find.options = {FindOption(u"Title"_s, kTitle), FindOption(u"Artist/Group"_s, kArtist)};
    find.startField = kTitle;
    find.startLength = 40;
    d.find = find;

    d.editPage = u"Registrera musik"_s;
    d.editFields = musicEditFields();
    d.entryFocus = kTitle;
    d.checks = {
        EntryCheck::required(kTitle, u"Title is required"_s, u"No title"_s),
        EntryCheck::required(kArtist, u"Name of the artist/group is required"_s, u"No name"_s)};
    d.editTips = {
        u"Fields marked with a * is required. "_s,
        QString(),
        u"Move between the fields with ALT- or ENTER key "_s,
        QString(),
        u"If the record contain different artists then check the mixed artist box. That will "
        u"help You find these records when you search by conditions.. If you would like the "
        u"artist for every singel song write like this: Song (Artist) Ex: "_s
        u"\"Dancin Queen (ABBA)\""_s
        u". That will make it easier to find a special song in these records."_s,
        QString(),
        u"To remove a song click with your right mouse button on the list with songs."_s};

    d.searchPage = u"SeekPage"_s;
    d.masterList = musicMasterList();

    d.commands = musicCommands();
    d.htmlExport = html::member(html::Register::Music);
    d.printLayout = PrintList::Music;
    d.lendObjectType = LendObjectType::Musik;

    d.editEmpty = {u"You can't do that. Empty database"_s, u"Empty"_s};
    d.deleteEmpty = {u"Not such a command."_s, u"Empty database"_s};
    d.deleteQuestion = {u"You are just trying to delete record with title [ %1 ] . Are you sure? "
                        u"All songs which belongs to that title will be deleted as well"_s,
                        u"Delete record"_s};
    d.lentQuestion = {u"The object [%1] is recorded as lent out. Delete that record as well? "_s,
                      u"Clean up lent out"_s};
    return checked(std::move(d));
}

TMusikForm::TMusikForm(AppContext& context, QWidget* parent)
    : RegisterWindow(context, musicDescription(), parent) {
    resize(960, 660);
    setMinimumSize(700, 500);
    addToPage(PagePlace::EditSide, buildSongGroup());
    setHooks();
    installSearchPage(search::musicSearch());
}

QGroupBox* TMusikForm::buildSongGroup() {
    auto* group = new QGroupBox(u"Songs"_s);
    group->setObjectName(u"songGroup"_s);
    auto* layout = new QVBoxLayout(group);
    songBox_ = new QLineEdit(group);
    songBox_->setObjectName(u"songBox"_s);
    saveNext_ = new QPushButton(u"&Save/next"_s, group);
    saveNext_->setObjectName(u"saveNext"_s);
    saveNext_->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(songBox_, 1);
    row->addWidget(saveNext_);
    layout->addLayout(row);
    layout->addWidget(new QLabel(u"On record"_s, group));
    songsOnRecord_ = new QListWidget(group);
    songsOnRecord_->setObjectName(u"songsOnRecord"_s);
    songsOnRecord_->setContextMenuPolicy(Qt::ActionsContextMenu);
    removeSong_ = new QAction(u"Radera markerad låt"_s, songsOnRecord_);
    songsOnRecord_->addAction(removeSong_);
    layout->addWidget(songsOnRecord_, 1);

    nameControl(kSongBox, songBox_);
    nameControl(kSaveNext, saveNext_);
    connect(songBox_, &QLineEdit::textChanged, this, [this] { controller().refreshState(); });
    // ENTER in the song box goes to "&Save/next", as it moves on from every other box.
    connect(songBox_, &QLineEdit::returnPressed, saveNext_, [this] { saveNext_->setFocus(); });
    connect(saveNext_, &QPushButton::clicked, this, &TMusikForm::saveNext);
    connect(removeSong_, &QAction::triggered, this, &TMusikForm::removeSelectedSong);
    connect(songsOnRecord_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        songBox_->setText(item->text());
        entry_.select(item->text());
    });
    return group;
}

void TMusikForm::setHooks() {
    RegisterHooks& hooks = controller().hooks();
    hooks.entered = [this](RegisterMode mode) { startEntry(mode); };
    hooks.beforePost = [this] { return askForSongs(); };
    hooks.afterPost = [this](RegisterMode mode) {
        // Only an artist typed for a new record joins the remembered ones.
        if (mode == RegisterMode::Adding)
            rememberValue(context().tdm.standardTb(), kArtistColumn, artistToRemember_);
        entry_.reset();
        controller().refreshState();
    };
    hooks.beforeCancel = [this](RegisterMode mode) { return cancelEntry(mode); };
    hooks.afterCancel = [this](RegisterMode) {
        entry_.reset();
        controller().refreshState();
    };
    hooks.rules = [this](RegisterMode mode, DerivedState& state) {
        const bool open = entry_.songBoxOpen(mode);
        state.own[kSongBox] = open;
        state.own[kSaveNext] = open && !songBox_->text().isEmpty();
        if (!entry_.okEnabled(mode))
            state.okEnabled = false;
    };
}

void TMusikForm::startEntry(RegisterMode mode) {
    entry_.reset();
    songBox_->clear();
    songsOnRecord_->clear();
    // The hint belongs to editing, where songs on the list can be removed.
    songsOnRecord_->setToolTip(mode == RegisterMode::Editing
                                   ? u"Right mousebutton to delete a song from the record"_s
                                   : QString());
    if (mode == RegisterMode::Editing)
        fillSongsOnRecord();
    controller().refreshState();
}

// OK's question while adding: Yes keeps the entry open for songs, No stores the record.
bool TMusikForm::askForSongs() {
    artistToRemember_ = typedArtist();
    const RegisterMode mode = this->mode();
    if (!entry_.okAsksForSongs(mode))
        return true;
    if (!context().dialogs.question(this, u"Add songs"_s,
                                    u"Would you like to add songs to record <"_s + typedTitle() +
                                        u">?"_s,
                                    BoxIcon::Question))
        return true;
    entry_.songsWanted();
    controller().refreshState();
    songBox_->setFocus();
    return false;
}

bool TMusikForm::cancelEntry(RegisterMode mode) {
    if (mode == RegisterMode::Editing) {
        if (typedTitle().trimmed().isEmpty() || typedArtist().trimmed().isEmpty()) {
            context().dialogs.info(this, u"No name or title"_s, u"Title and name is required"_s);
            focusEntryField(kTitle);
            return false;
        }
        // Leaving an edit keeps what was typed into the record's fields; the songs that
        // "&Save/next" changed are stored already.
        table().post();
        return true;
    }
    if (entry_.savedBySongs())
        removeNewRecord();
    return true;
}

// The new record that "&Save/next" stored goes again, together with its songs.
void TMusikForm::removeNewRecord() {
    Table& records = table();
    const QVariant key = recordKey();
    records.cancel();
    writeTogether({&records, &detailRows().table()}, [&] {
        detailRows().removeAll(key);
        if (records.locate(kKey, {key}))
            records.remove();
    });
}

void TMusikForm::saveNext() {
    run([this] {
        const RegisterMode mode = this->mode();
        if (!entry_.songBoxOpen(mode))
            return;
        if (typedTitle().trimmed().isEmpty() || typedArtist().trimmed().isEmpty()) {
            context().dialogs.info(this, u"Name or title missing"_s,
                                   u"Title and name is required"_s);
            focusEntryField(kTitle);
            return;
        }
        Table& records = table();
        DetailRows& songs = detailRows();
        const QString typed = songBox_->text();
        const QString song = MusicEntry::storedSongName(mode, typed);
        if (mode == RegisterMode::Adding) {
            if (entry_.nextSaveStoresRecord(mode)) {
                if (mixedTicked()) {
                    records.setText(kArtist, typedTitle());
                    records.setLogical(kMixed, true);
                }
                // The record and its first song are stored together or not at all.
                writeTogether({&records, &songs.table()}, [&] {
                    records.post();
                    songs.add(recordKey(), song);
                });
                // The stored record stays the entry's: what is typed next reaches it at OK.
                records.edit();
            } else {
                songs.add(recordKey(), song);
            }
            rememberValue(context().tdm.standardTb(), kArtistColumn,
                          typedArtist().left(kRememberedArtistLength));
            songsOnRecord_->addItem(song);
        } else if (entry_.editChangesSongs(typed)) {
            const QString replaced = entry_.selectedSong();
            writeTogether({&songs.table()}, [&] {
                if (!replaced.isEmpty())
                    songs.removeOne(recordKey(), replaced);
                songs.add(recordKey(), song);
            });
        }
        context().run.dataChanged = true;
        entry_.songSaved(mode);
        if (mode == RegisterMode::Editing)
            fillSongsOnRecord();
        songBox_->clear();
        controller().refreshState();
        songBox_->setFocus();
    });
}

void TMusikForm::removeSelectedSong() {
    run([this] {
        const QListWidgetItem* item = songsOnRecord_->currentItem();
        // The whole name: a song stored longer than the list's width is still found.
        const QString song =
            item && songsOnRecord_->selectedItems().contains(item) ? item->text() : QString();
        if (song.isEmpty()) {
            context().dialogs.info(
                this, u"No song selected"_s,
                u"You must select which song you want to delete from the list!"_s);
            focusEntryField(kTitle);
            return;
        }
        if (context().dialogs.question(this, u"Remove songs"_s,
                                       u"You are going to remove the song [ "_s + song +
                                           u" ] . Are you sure?"_s,
                                       BoxIcon::Exclamation)) {
            detailRows().removeOne(recordKey(), song);
            context().run.dataChanged = true;
            fillSongsOnRecord();
        }
        songBox_->clear();
        songsOnRecord_->setFocus();
    });
}

void TMusikForm::fillSongsOnRecord() {
    songsOnRecord_->clear();
    if (detailRows().isEmpty())
        return;
    songsOnRecord_->addItems(detailRows().names(recordKey()));
}

QVariant TMusikForm::recordKey() const {
    return table().currentValue(table().fieldIndex(kKey));
}

QString TMusikForm::typedTitle() const {
    return entryText(kTitle);
}

QString TMusikForm::typedArtist() const {
    return entryText(kArtist);
}

bool TMusikForm::mixedTicked() const {
    const auto* box = qobject_cast<QCheckBox*>(editControl(kMixed));
    return box && box->isChecked();
}

} // namespace hoardly
