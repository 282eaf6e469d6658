#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QShortcut;

namespace hoardly {

struct AppContext;

// The properties window's "Internet" tab: the mail settings the reminders are sent with.
// The four edits stay read-only until "C&hange"; "&OK" checks and writes them to the settings
// record, "&Cancel" puts the stored ones back.
class InternetPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InternetPage)
public:
    explicit InternetPage(AppContext& context, QWidget* parent = nullptr);

    // Fills the edits from the settings and makes them read-only; the properties window
    // calls it each time it opens. Opens the settings table when it is closed.
    void loadSettings();
    // "C&hange" was pressed and neither "&OK" nor "&Cancel" since: the edits hold input that
    // is not stored yet.
    bool changing() const;

    QLineEdit* nameEdit() const { return nameEd_; }
    QLineEdit* addressEdit() const { return addressEd_; }
    QLineEdit* smtpEdit() const { return smtpEd_; }
    QLineEdit* portEdit() const { return portEd_; }

    void ChangeKnpClick();
    void OkKnpClick();
    void CancelKnpClick();
    void TipKnpClick();

private:
    void setChanging(bool changing);
    // The first check the entries fail, shown with its edit focused; false when all pass.
    bool refused();
    void writeSettings();

    AppContext& context_;
    QLineEdit* nameEd_;
    QLineEdit* addressEd_;
    QLineEdit* smtpEd_;
    QLineEdit* portEd_;
    QPushButton* okKnp_;
    QPushButton* cancelKnp_;
    QPushButton* changeKnp_;
    QPushButton* tipKnp_;
    QShortcut* escape_;
};

} // namespace hoardly
