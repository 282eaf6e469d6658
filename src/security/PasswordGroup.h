#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hoardly {

class PasswordPrompt;
struct AppContext;

// The "Password" group of the properties window, where the main password is set and changed.
// Two states: showing (the password edit read-only and empty, only "C&hange") and entering
// (the edit writable, "Verify" with its edit and "O&K"). While the window is open the group
// remembers whether a password is set.
class PasswordGroup final : public QGroupBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PasswordGroup)
public:
    // The prompt asks for the current password before it is changed.
    PasswordGroup(AppContext& context, PasswordPrompt& currentPasswordPrompt,
                  QWidget* parent = nullptr);

    // The window opens: notes whether a password is set.
    void load();
    // The window closes: back to showing, and the note is cleared.
    void reset();
    bool isEntering() const;

    void ChangeKnpClick();
    void OkKnpClick();

    QLineEdit* passwordEdit() const { return passwordEd_; }
    QLineEdit* verifyEdit() const { return verifyEd_; }

private:
    void showEntering(bool entering);
    bool newPasswordRefused();

    AppContext& context_;
    PasswordPrompt& currentPasswordPrompt_;
    bool passwordSet_ = false;
    QLineEdit* passwordEd_;
    QLabel* verifyLabel_;
    QLineEdit* verifyEd_;
    QPushButton* changeKnp_;
    QPushButton* okKnp_;
};

} // namespace hoardly
