#pragma once

#include "RegisterDescription.h"
#include "RegisterLogic.h"
#include "ui/Shell.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableView;
class QToolBar;

namespace hoardly {

class DataSource;
class EnterAsTab;
class MasterGrid;
class Table;
class TableGridModel;

// The register window model: a tool bar, a menu bar, a pop-up menu and four pages without
// tabs (browse, edit, search, master list) over one table, with the modes, the command lock
// and the record commands every register shares. A register is a description (fields, texts,
// lists, commands) handed to it; a register whose steps differ overrides the command it
// changes. The window opens its table when first shown; closing it closes the table, shows
// the main window and destroys the window.
class RegisterWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class Page { Browse, Edit, Search, MasterList };

    RegisterWindow(AppContext& context, RegisterDescription description, QWidget* parent = nullptr);
    ~RegisterWindow() override;

    const RegisterDescription& description() const { return d_; }
    Table& table() const;
    DataSource& source() const;
    RegisterMode mode() const { return mode_; }
    ModeFlags flags() const { return flagsOf(mode_); }
    Page page() const;

    CommandTable& commands() const { return *commands_; }
    QAction* action(const QString& id) const;
    // A command of the register's own, run by its entries and its shortcut.
    void setCommandHandler(const QString& id, std::function<void()> handler);

    // The search page (built elsewhere) becomes the third page; `enter` runs each time the
    // page is shown. The command "findByConditions" shows it, when the register has that
    // command. A page whose ENTER presses a button of its own is left out of ENTER-as-TAB.
    void installSearchPage(QWidget* page, std::function<void()> enter = {},
                           bool keepsEnter = false);
    QWidget* searchPage() const { return searchPage_; }
    // Shows the search page: the search mode, "Back" enabled, the commands locked.
    void showSearchPage();

    // The parts, for the register's own code and for tests.
    QLabel* heading() const { return heading_; }
    QTableView* list() const { return list_; }
    Navigator* navigator() const { return navigator_; }
    FindBox* findBox() const { return findBox_; }
    QRadioButton* findOption(int index) const { return findOptions_.value(index); }
    QWidget* editControl(const QString& field) const;
    QSpinBox* indexSpin() const;
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* tipButton() const { return tipButton_; }
    QTableView* masterGrid() const;
    FindBox* masterFindBox() const { return masterFind_; }
    Navigator* masterNavigator() const { return masterNavigator_; }
    QPushButton* masterTipsButton() const { return masterTips_; }
    QMenu* popupMenu() const { return popup_; }
    QToolBar* toolBar() const { return toolBar_; }

    // The commands of the model. Each runs inside the default error box's wrapper.
    virtual void addRecord();
    virtual void editRecord();
    virtual void acceptRecord(); // OK
    virtual void cancelRecord(); // Cancel, ESC
    virtual void deleteRecord();
    virtual void showMasterList();
    virtual void back();
    void sortBy(int option);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    AppContext& context() const { return context_; }
    // Runs a command; a store or file error ends it in the default error box.
    bool run(const std::function<void()>& command);

    // What the window does when it is first shown.
    virtual void opening();

    // The steps the commands are made of.
    void setMode(RegisterMode mode);
    void lockCommands();
    void unlockCommands();
    void showPage(Page page);
    void focusList();
    void focusRequired();
    void fillPickLists();
    void emptyPickLists();
    void rememberPickValues();
    void updateHeading();
    // Posts what the master-list grid holds for the current row.
    void postMasterListEdit();

private:
    void buildCommands();
    void buildBrowsePage();
    QWidget* buildFindGroup();
    QWidget* buildRecordPanel();
    void buildEditPage();
    QWidget* buildEditControl(const EditField& field);
    void buildMasterListPage();
    void connectErrors(QObject* sender);
    void chooseFindOption(int index);
    void tickSortOption();
    void reportError(const QString& text);

    AppContext& context_;
    RegisterDescription d_;
    bool opened_ = false;
    RegisterMode mode_ = RegisterMode::Browsing;

    CommandTable* commands_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* popup_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QWidget* browsePage_ = nullptr;
    QWidget* editPage_ = nullptr;
    QPointer<QWidget> searchPage_;
    QWidget* searchPlace_ = nullptr;
    std::function<void()> enterSearch_;
    QWidget* masterPage_ = nullptr;

    QLabel* heading_ = nullptr;
    QTableView* list_ = nullptr;
    TableGridModel* listModel_ = nullptr;
    Navigator* navigator_ = nullptr;
    FindBox* findBox_ = nullptr;
    QList<QRadioButton*> findOptions_;

    QHash<QString, QWidget*> editControls_; // by field, case as in the description
    QList<std::pair<QString, QComboBox*>> pickLists_;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* tipButton_ = nullptr;

    MasterGrid* masterGrid_ = nullptr;
    TableGridModel* masterModel_ = nullptr;
    FindBox* masterFind_ = nullptr;
    Navigator* masterNavigator_ = nullptr;
    QPushButton* masterTips_ = nullptr;

    EnterAsTab* enterAsTab_ = nullptr;
    bool reportingError_ = false;
};

} // namespace hoardly
