#include "PropertiesPages.h"

#include "MusicPage.h"
#include "PropertiesPage.h"
#include "data/TDM.h"
#include "lending/InternetPage.h"
#include "lending/LendingGrid.h"
#include "security/PasswordGroup.h"
#include "ui/Shell.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

// "Security": the main password beside the backups.
class SecurityPage final : public PropertiesPage {
public:
    SecurityPage(const PropertiesParts& parts, QWidget* parent)
        : PropertiesPage(parent),
          password_(new PasswordGroup(parts.context, parts.currentPasswordPrompt, this)),
          backups_(new BackupsGroup(parts.context, parts.backupActions, this)) {
        setObjectName(u"SecurityPage"_s);
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(password_, 2);
        layout->addWidget(backups_, 3);
    }
    void windowOpening() override {
        password_->load();
        backups_->load();
    }
    void windowClosing() override { password_->reset(); }

private:
    PasswordGroup* password_;
    BackupsGroup* backups_;
};

// "Lending": the loans with their return and no-reminder commands.
class LendingPage final : public PropertiesPage {
public:
    LendingPage(AppContext& context, QWidget* parent)
        : PropertiesPage(parent), context_(context),
          grid_(new LendingGrid(context, LendingPlace::PropertiesTab, this)) {
        setObjectName(u"LendingPage"_s);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(grid_);
    }
    void windowOpening() override {
        Table& borrow = context_.tdm.borrowTb();
        borrow.open();
    }
    void pageShown() override { grid_->activate(); }

private:
    AppContext& context_;
    LendingGrid* grid_;
};

// "Internet": the mail settings the reminders are sent with.
class InternetTab final : public PropertiesPage {
public:
    InternetTab(AppContext& context, QWidget* parent)
        : PropertiesPage(parent), page_(new InternetPage(context, this)) {
        setObjectName(u"InternetTab"_s);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page_);
    }
    void windowOpening() override { page_->loadSettings(); }

private:
    InternetPage* page_;
};

PropertiesPage* buildMusicPage(const PropertiesParts& parts, QWidget* parent) {
    return new MusicPage(parts.context, parent);
}

PropertiesPage* buildSecurityPage(const PropertiesParts& parts, QWidget* parent) {
    return new SecurityPage(parts, parent);
}

PropertiesPage* buildInternetPage(const PropertiesParts& parts, QWidget* parent) {
    return new InternetTab(parts.context, parent);
}

PropertiesPage* buildLendingPage(const PropertiesParts& parts, QWidget* parent) {
    return new LendingPage(parts.context, parent);
}

} // namespace

const QList<PropertiesPageKind>& propertiesPageKinds() {
    static const QList<PropertiesPageKind> kinds{
        {u"Music"_s, buildMusicPage},
        {u"Security"_s, buildSecurityPage},
        {u"Internet"_s, buildInternetPage},
        {u"Lending"_s, buildLendingPage},
    };
    return kinds;
}

} // namespace hoardly
