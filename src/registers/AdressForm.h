#pragma once

#include "RegisterLogic.h"
#include "lending/LendingInterfaces.h"
#include "ui/CommandTable.h"
#include "ui/Shell.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <functional>

class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolBar;

namespace hoardly {

class EnterAsTab;
class FindBox;
class Navigator;
class Table;

// The commands of the address book: the tool bar, the menus, the pop-up menu and the lock.
// Print and Print preview join them with the printed lists; the "&Options" menu, whose only
// entry is "Turn music off", joins them with the background music.
CommandSet adressCommands();

// The address book: one page whose boxes show the current address read-only while browsing
// and become editable while a record is added or edited, a bar of letter buttons, a find
// group whose find box searches one of five fields, and the record count. It is built once
// at start-up; closing only hides it. The lend-out dialog files a borrower through it.
class TAdressForm final : public QMainWindow, public AddressBookHandOff {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAdressForm)
public:
    explicit TAdressForm(AppContext& context, QWidget* parent = nullptr);
    ~TAdressForm() override;

    Table& table() const;
    RegisterMode mode() const { return mode_; }
    bool inLendOutMode() const { return lendOutMode_; }

    // The parts, for tests and for the tasks that add to the window.
    CommandTable& commands() const { return *commands_; }
    QAction* action(const QString& id) const;
    QWidget* box(const QString& field) const { return boxes_.value(field); }
    QLabel* boxLabel(const QString& field) const { return labels_.value(field); }
    QLabel* countLabel() const { return countLabel_; }
    Navigator* navigator() const { return navigator_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* tipButton() const { return tipButton_; }
    QWidget* letterBar() const { return letterBar_; }
    QPushButton* letterButton(QChar letter) const;
    QGroupBox* findGroup() const { return findGroup_; }
    FindBox* findBox() const { return findBox_; }
    QRadioButton* findOption(int index) const { return findOptions_.value(index); }
    QMenu* popupMenu() const { return popup_; }
    QToolBar* toolBar() const { return toolBar_; }

    // The commands. Each runs inside the default error box's wrapper.
    void addRecord();
    void editRecord();
    void OkKnpClick();
    void CancelKnpClick(); // also ESC while adding or editing
    void deleteRecord();
    void letterClick(QChar letter);
    void chooseFindOption(int index);

    // AddressBookHandOff
    void enterLendOutMode() override;
    void addBorrower(const QString& firstName, const QString& lastName, const QString& phone,
                     const QString& email) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCommands();
    QWidget* buildPage();
    QWidget* buildRecordPanel(QWidget* page);
    QWidget* buildButtonRow(QWidget* page);
    QWidget* buildLetterBar(QWidget* page);
    QWidget* buildFindGroup(QWidget* page);
    void setTabOrder();
    bool run(const std::function<void()>& command);
    void reportError(const QString& text);

    void opening();
    // Browsing, adding or editing: the one place that switches the lock, the boxes, the
    // find group and the buttons together.
    void setMode(RegisterMode mode);
    void showCount();
    void focusBox(const QString& field);
    QString boxText(const QString& field) const;
    // Leaves lend-out mode through the window's closing, which then keeps the main window
    // hidden: the register window below stays in front.
    void closeAfterLendOut();

    AppContext& context_;
    RegisterMode mode_ = RegisterMode::Browsing;
    bool lendOutMode_ = false;

    CommandTable* commands_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* escape_ = nullptr;

    QLabel* countLabel_ = nullptr;
    QHash<QString, QWidget*> boxes_; // by field
    QHash<QString, QLabel*> labels_;
    QList<QWidget*> boxOrder_;
    Navigator* navigator_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* tipButton_ = nullptr;
    QWidget* letterBar_ = nullptr;
    QList<QPushButton*> letters_;
    QGroupBox* findGroup_ = nullptr;
    FindBox* findBox_ = nullptr;
    QList<QRadioButton*> findOptions_;

    EnterAsTab* enterAsTab_ = nullptr;
    bool reportingError_ = false;
};

} // namespace hoardly
