#pragma once

#include "RegisterController.h"
#include "RegisterDescription.h"
#include "ui/Shell.h"

#include <QDate>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QComboBox;
class QKeyEvent;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableView;
class QToolBar;
class QVBoxLayout;
class QBoxLayout;

class QListWidget;

namespace hoardly {

class DetailPanel;
class DetailRows;

class DataSource;
class EnterAsTab;
class FaultReporter;
class MasterGrid;
namespace search {
struct SearchRegister;
}
class Table;
class TableGridModel;

// Where a register puts controls of its own on the pages the model builds.
enum class PagePlace {
    PageTop,    // one page: above everything
    PageBottom, // one page: below the buttons
    UnderBoxes, // one page: inside the record's panel, under its boxes
    ButtonRow,  // one page: between "&Cancel" and "&Tip"
    BelowList,  // browse page: under the list (a detail list)
    BelowPanel, // browse page: under the record panel (a picture, a total)
    EditSide,   // edit page: right of the entry's controls (a detail group, a picture box)
};

// The register window model: a tool bar, a menu bar, a pop-up menu and the pages of the
// description (a browse page and an edit page, a search page and a master list when the
// register has them, or one page whose boxes open for an entry), with the modes, the command
// lock and the record commands every register shares, driven by a RegisterController. A
// register is a description and, where its steps differ, hooks on the controller.
class RegisterWindow : public QMainWindow, private RegisterView {
    Q_OBJECT
public:
    using Page = RegisterPage;

    RegisterWindow(AppContext& context, RegisterDescription description, QWidget* parent = nullptr);
    ~RegisterWindow() override;

    const RegisterDescription& description() const { return d_; }
    RegisterController& controller() const { return *controller_; }
    Table& table() const;
    DataSource& source() const;
    RegisterMode mode() const { return controller_->mode(); }
    ModeFlags flags() const { return flagsOf(mode()); }
    Page page() const;

    CommandTable& commands() const { return *commands_; }
    QAction* action(const QString& id) const;
    // A command of the register's own, run by its entries and its shortcut.
    void setCommandHandler(const QString& id, std::function<void()> handler);

    // The search page (built elsewhere) becomes the third page; `enter` runs each time the
    // page is shown. A page whose ENTER presses a button of its own is left out of
    // ENTER-as-TAB.
    void installSearchPage(QWidget* page, std::function<void()> enter = {},
                           bool keepsEnter = false);
    // The search page of a register's criteria, built the first time it is shown or asked
    // for: a window opened to browse neither builds nor lays out what it may never show.
    void installSearchPage(const search::SearchRegister& criteria);
    QWidget* searchPage();
    void showSearchPage(); // "Find by conditions"

    // Puts a control of the register's own into a place of the pages. A browsing control is
    // disabled while an entry is open, as the navigator is.
    void addToPage(PagePlace place, QWidget* widget, bool browsingControl = false);
    // A control the register's rules enable by name (DerivedState::own).
    void nameControl(const QString& name, QWidget* widget);

    // The parts, for the register's own code and for tests.
    QLabel* heading() const { return heading_; }
    QTableView* list() const { return list_; }
    Navigator* navigator() const { return navigator_; }
    QGroupBox* findGroup() const { return findGroup_; }
    FindBox* findBox() const { return findBox_; }
    QRadioButton* findOption(int index) const { return findOptions_.value(index); }
    QWidget* editControl(const QString& field) const { return editControls_.value(field); }
    QWidget* box(const QString& field) const { return editControl(field); }
    QLabel* boxLabel(const QString& field) const { return editLabels_.value(field); }
    QSpinBox* indexSpin() const;
    // What the entry's control of a field holds.
    QString entryText(const QString& field) const override;
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* tipButton() const { return tipButton_; }
    // The master list's page is built, as the search page is, when first shown or asked for.
    QTableView* masterGrid();
    FindBox* masterFindBox();
    Navigator* masterNavigator();
    QPushButton* masterTipsButton();
    QMenu* popupMenu() const { return popup_; }
    QToolBar* toolBar() const { return toolBar_; }
    // The detail list's parts; only for a register whose description names one.
    DetailRows& detailRows() const;
    QListWidget* detailList() const;
    QListWidget* hitPanel() const;
    FindBox* detailFindBox() const;

    // The commands of the model.
    void addRecord() { controller_->add(); }
    void editRecord() { controller_->edit(); }
    void acceptRecord() { controller_->accept(); } // OK
    void cancelRecord() { controller_->cancel(); } // Cancel, ESC
    void deleteRecord() { controller_->remove(); }
    void showMasterList() { controller_->showMasterList(); }
    void back() { controller_->back(); }
    void sortBy(int option);
    // The HTML list of the whole table in the current order (the register's export member).
    void exportHtmlList();
    // "Turn music off": the tick is the window's own; a window opened later starts unticked.
    void switchMusic();

    // The day the window's lists and pages are dated with; the clock's by default.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }
    QDate today() const { return today_(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    AppContext& context() const { return context_; }
    bool run(const std::function<void()>& command) { return controller_->run(command); }
    // A find option chosen (its radio button): the box searches its field.
    void chooseFindOption(int index);
    // The find option of the detail rows: their find box takes the find box's place.
    void chooseDetailFind();
    void focusEntryField(const QString& field) { focusField(field); }

private:
    // RegisterView
    QWidget* boxParent() override { return this; }
    void showState(const DerivedState& state) override;
    void prepareEntry(RegisterMode mode) override;
    void writeUnbound() override;
    void rememberEntry() override;
    void endEntry() override;
    void focusField(const QString& field) override;
    void focusBrowsing() override;
    void commitGrid() override;

    // Shift+Insert and Shift+Delete stay the record commands in the boxes under `root`.
    void claimRecordKeys(QWidget* root);
    bool isRecordKey(const QKeyEvent* key) const;
    void buildCommands();
    void buildBrowsePage();
    void buildOnePage();
    QWidget* buildHeadingRow(QWidget* page);
    QWidget* buildList(QWidget* page);
    QGroupBox* buildFindGroup(QWidget* page);
    QWidget* buildRecordPanel();
    QWidget* buildEntryColumns(QWidget* page, const QString& namePrefix);
    QWidget* buildEditControl(const EditField& field, QWidget* page, const QString& namePrefix);
    QWidget* buildRecordButtons(QWidget* page);
    void buildEditPage();
    void buildMasterListPage();
    void ensureMasterListPage();
    // Puts a page where another stood in the stack; the other leaves the stack.
    void replacePage(QWidget* old, QWidget* page);
    void ensureSearchPage();
    void connectFaults(QObject* sender);
    void connectHeading();
    void updateHeading();
    void connectDetail();
    void refreshDetail();
    void tickSortOption();
    void fillPickLists();
    void updateTabOrder();
    QWidget* pageOf(Page page) const;

    AppContext& context_;
    RegisterDescription d_;
    std::function<QDate()> today_ = [] { return QDate::currentDate(); };
    std::unique_ptr<RegisterController> controller_;
    FaultReporter* faults_ = nullptr;
    bool opened_ = false;

    CommandTable* commands_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* escape_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QWidget* browsePage_ = nullptr;
    QWidget* editPage_ = nullptr;
    QPointer<QWidget> searchPage_;
    QWidget* searchPlace_ = nullptr;
    std::function<void()> enterSearch_;
    const search::SearchRegister* searchCriteria_ = nullptr; // the page is not built yet
    QWidget* masterPage_ = nullptr;
    QWidget* masterPlace_ = nullptr; // holds the master list's place until it is built
    QHash<PagePlace, QBoxLayout*> places_;

    QLabel* heading_ = nullptr;
    QTableView* list_ = nullptr;
    TableGridModel* listModel_ = nullptr;
    Navigator* navigator_ = nullptr;
    QGroupBox* findGroup_ = nullptr;
    FindBox* findBox_ = nullptr;
    QList<QRadioButton*> findOptions_;

    QHash<QString, QWidget*> editControls_; // by field, case as in the description
    QHash<QString, QLabel*> editLabels_;
    QList<QWidget*> entryOrder_; // the entry's controls in tab order
    QList<std::pair<QString, QComboBox*>> pickLists_;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* tipButton_ = nullptr;
    QList<QWidget*> browsingControls_;
    QHash<QString, QWidget*> ownControls_;

    MasterGrid* masterGrid_ = nullptr;
    TableGridModel* masterModel_ = nullptr;
    FindBox* masterFind_ = nullptr;
    Navigator* masterNavigator_ = nullptr;
    QPushButton* masterTips_ = nullptr;

    DetailPanel* detailPanel_ = nullptr;

    EnterAsTab* enterAsTab_ = nullptr;
};

} // namespace hoardly
