#include "ValueForm.h"

#include "Inventory.h"
#include "data/Schema.h"
#include "data/Table.h"
#include "ui/Dialogs.h"
#include "ui/PictureBox.h"
#include "ui/PictureCodec.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

using namespace inventory;

namespace {

CommandSet valueCommands() {
    CommandSet set;
    set.commands = {
        registerCommand(cmd::close, u"Back to maimmenu"_s, u"Back to main"_s, u"Back to main"_s),
        registerCommand(cmd::printPreview, u"Print preview"_s, u"Print preview"_s,
                        u"Print preview"_s),
        // The register's own spelling of the menu entry.
        registerCommand(cmd::print, u"rint"_s, u"Print"_s, u"Print"_s),
        registerCommand(cmd::add, u"Add record"_s, u"Add record"_s, u"Add record"_s),
        registerCommand(cmd::edit, u"Edit record"_s, u"Edit record"_s, u"Edit record"_s),
        registerCommand(cmd::remove, u"Del record"_s, u"Del record"_s, u"Del record"_s),
        htmlExportCommand(html::member(html::Register::Inventory)),
        musicOffCommand(),
        registerCommand(cmd::help, u"Help"_s),
        registerCommand(cmd::about, u"About"_s),
    };
    set.menus = {
        {u"file"_s, u"&File"_s, {cmd::printPreview, cmd::htmlExport, cmd::print, cmd::close}},
        {u"options"_s, u"&Options"_s, {cmd::musicOff}},
        {u"database"_s, u"&Database functions"_s, {cmd::add, cmd::edit, cmd::remove}},
        {u"help"_s, u"&Help"_s, {cmd::help, cmd::about}},
    };
    set.toolBar = {cmd::close, cmd::printPreview, cmd::print, u"|"_s,
                   cmd::add,   cmd::edit,         cmd::remove};
    set.popup = {cmd::add,          cmd::edit,  cmd::remove,     u"|"_s,
                 cmd::printPreview, cmd::print, cmd::htmlExport, cmd::close};
    // The tool bar's "Print" stays usable during an entry.
    set.lock.toolBar = {cmd::close, cmd::printPreview, cmd::add, cmd::edit, cmd::remove};
    set.lock.menus = {u"file"_s, u"database"_s};
    set.lock.popup = {cmd::add,   cmd::edit,       cmd::remove, cmd::printPreview,
                      cmd::print, cmd::htmlExport, cmd::close};
    return set;
}

QList<EditField> valueEditFields() {
    return {
        EditField(u"Namn*"_s, kName),
        EditField(u"Id Mark"_s, u"Marknr"_s),
        EditField(u"Coming from"_s, u"Inkopt_Plats"_s),
        EditField(u"Date in to Your hand"_s, kDate, EditKind::Date),
        EditField(u"Price"_s, u"Pris"_s).digits(),
        EditField(u"Value estimate"_s, kValue).digits(),
        EditField(u"Description"_s, u"Beskrivning"_s, EditKind::Memo).limited(240),
        EditField(u"Comments"_s, u"Kommentar"_s, EditKind::Memo).limited(240),
        EditField(u"Picture"_s, kPicture, EditKind::Picture).atColumn(1),
    };
}

} // namespace

RegisterDescription valueDescription() {
    RegisterDescription d;
    d.table = &schema::value();
    d.nameField = kName;
    d.heading = {u"Home inventory"_s, {}, {}};
    d.browse.name = u"Vardesaker"_s;
    d.browse.picture = Picture::Inventory;
    d.browse.listColumns = {{kName, u"Name"_s}};
    d.browse.panel = {PanelField(u"Id Mark:"_s, {u"Marknr"_s}),
                      PanelField(u"Coming from"_s, {u"Inkopt_Plats"_s}),
                      PanelField(u"Date in You hand"_s, {kDate}),
                      PanelField(u"Price"_s, {u"Pris"_s}),
                      PanelField(u"Value estimate"_s, {kValue}),
                      PanelField(u"Description"_s, {u"Beskrivning"_s}, PanelKind::Memo),
                      PanelField(u"Comment"_s, {u"Kommentar"_s}, PanelKind::Memo),
                      PanelField(u"Picture"_s, {kPicture}, PanelKind::Picture)};
    d.browse.navigator = Navigator::moves();

    d.editPage = u"Ny"_s;
    d.editFields = valueEditFields();
    d.entryFocus = kName;
    d.checks = {EntryCheck::required(kName, u"Name is required."_s, u"No name"_s)};
    d.editTips = {u"Fields marked with * are required. "_s, QString(),
                  u"Move between fields with help of your TAB- or ENTER key."_s, QString(),
                  u"You can add a picture for each object. The picture file must be in a bitmap "
                  u"format (*.BMP). A good program to work with and resize to a matching size "
                  u"could be Pain Shop Pro which you easy can find on the net"_s};

    d.commands = valueCommands();
    d.htmlExport = html::member(html::Register::Inventory);
    d.printLayout = PrintList::Inventory;
    d.editEmpty = {u"Not such a command!"_s, u"Empty register"_s};
    d.deleteEmpty = {u"Not such a command!"_s, u"Empty database"_s};
    d.deleteQuestion = {u"This command will delete the record witn name [ %1 ] . Are you sure?"_s,
                        u"Del record"_s};
    return checked(std::move(d));
}

TValueForm::TValueForm(AppContext& context, QWidget* parent)
    : RegisterWindow(context, valueDescription(), parent) {
    setObjectName(u"ValueForm"_s);
    setWindowTitle(u"Home inventory"_s);
    addToPage(PagePlace::BelowPanel, buildTotal());
    picKnp_ = new QPushButton(u"&Pic"_s);
    picKnp_->setObjectName(u"PicKnp"_s);
    picKnp_->setAutoDefault(false);
    connect(picKnp_, &QPushButton::clicked, this, &TValueForm::PicKnpClick);
    addToPage(PagePlace::EditSide, picKnp_);
    setHooks();
    resize(960, 680);
}

QWidget* TValueForm::buildTotal() {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new QLabel(kTotalLabel, box));
    total_ = new QLabel(totalText(0), box);
    total_->setObjectName(u"totalLabel"_s);
    QFont bold = total_->font();
    bold.setBold(true);
    total_->setFont(bold);
    layout->addWidget(total_);
    return box;
}

void TValueForm::setHooks() {
    RegisterHooks& hooks = controller().hooks();
    hooks.opened = [this] { showTotal(); };
    hooks.afterPost = [this](RegisterMode) {
        showTotal();
        // The total's scan runs through the whole list and leaves its last object current.
        table().last();
    };
    hooks.afterDelete = [this] { showTotal(); };
}

void TValueForm::showTotal() {
    total_->setText(totalText(estimatedTotal(table())));
}

void TValueForm::PicKnpClick() {
    auto* box = qobject_cast<PictureBox*>(editControl(kPicture));
    if (!box || !isEntry(mode()))
        return;
    run([this, box] {
        FileRequest request;
        request.kind = FileRequestKind::Open;
        request.caption = u"Open"_s;
        request.directory = QDir::homePath();
        request.filter = pictureFileFilter();
        const QString path = context().dialogs.askFile(this, request);
        if (path.isEmpty())
            return;
        box->setImage(readPictureFile(path)); // a file that cannot be read changes nothing
    });
}

} // namespace hoardly
