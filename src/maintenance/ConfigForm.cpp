#include "ConfigForm.h"

#include "PropertiesPage.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/KeyFilters.h"
#include "ui/Shell.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

TConfigForm::TConfigForm(const PropertiesParts& parts, QWidget* parent)
    : QDialog(parent), context_(parts.context) {
    setObjectName(u"ConfigForm"_s);
    setWindowTitle(u"Properties"_s);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(u"PageControl"_s);
    for (const PropertiesPageKind& kind : propertiesPageKinds()) {
        PropertiesPage* page = kind.build(parts, tabs_);
        pages_ << page;
        tabs_->addTab(page, kind.title);
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (PropertiesPage* shown = page(index))
            shown->pageShown();
    });

    closeKnp_ = new QPushButton(u"Cl&ose"_s, this);
    closeKnp_->setObjectName(u"CloseKnp"_s);
    closeKnp_->setToolTip(u"Close this form"_s);
    closeKnp_->setAutoDefault(false);
    connect(closeKnp_, &QPushButton::clicked, this, &QDialog::accept);
    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    bar->addWidget(closeKnp_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(bar);
    new EnterAsTab(this);
    resize(700, 340);
}

void TConfigForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TConfigForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormClose();
}

void TConfigForm::FormShow() {
    runCommand(context_.dialogs, this, [this] {
        Table& config = context_.tdm.configTb();
        if (!config.isOpen())
            config.open();
        for (PropertiesPage* page : std::as_const(pages_))
            page->windowOpening();
        // The first page each time, whichever was in front when the window closed.
        if (tabs_->currentIndex() == 0)
            pages_.first()->pageShown();
        else
            tabs_->setCurrentIndex(0);
    });
}

void TConfigForm::FormClose() {
    for (PropertiesPage* page : std::as_const(pages_))
        page->windowClosing();
}

} // namespace hoardly
