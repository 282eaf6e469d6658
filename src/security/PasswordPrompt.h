#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hoardly {

struct AppContext;

// Shows every typed character of a password edit as the mask character.
void maskPasswordEdit(QLineEdit* edit, QChar mask);

// A modal prompt for the main password: a label, one masked edit, "&OK" (ENTER) and "&Cancel"
// (ESC). Each showing starts empty with the focus in the edit. A wrong entry shows the
// prompt's message, empties the edit and stays; only a right entry in this showing accepts,
// every other way of closing refuses.
class PasswordPrompt : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PasswordPrompt)
public:
    // Shows the prompt modally; whether the right password was entered.
    bool ask();

    QLineEdit* edit() const { return edit_; }
    void OkKnpClick();

protected:
    struct Look {
        QString label;
        QChar mask;
        int maxLength; // 0: no limit
    };
    PasswordPrompt(AppContext& context, const Look& look, QWidget* parent);
    AppContext& context() const { return context_; }
    // Whether the entry opens the prompt.
    virtual bool accepts(const QString& entry) const = 0;
    // Tells the user that the entry was wrong.
    virtual void refuse() = 0;

    void showEvent(QShowEvent* event) override;

private:
    void startOver();

    AppContext& context_;
    QLineEdit* edit_;
};

// The code store's prompt before its codes are scrambled or unscrambled: '$' for each of at
// most 12 characters; "Wrong password. Try again" in a plain box.
class TPwForm final : public PasswordPrompt {
    Q_OBJECT
public:
    explicit TPwForm(AppContext& context, QWidget* parent = nullptr);

protected:
    bool accepts(const QString& entry) const override;
    void refuse() override;
};

// The current password before it is changed: '*' for each character, any length, never empty.
class TPwForm2 final : public PasswordPrompt {
    Q_OBJECT
public:
    explicit TPwForm2(AppContext& context, QWidget* parent = nullptr);

protected:
    bool accepts(const QString& entry) const override;
    void refuse() override;
};

} // namespace hoardly
