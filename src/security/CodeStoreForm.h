#pragma once

#include "registers/RegisterWindow.h"

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace hoardly {

class CodeStorePass;

// The code store: one page with the list of receivers and codes, the two boxes that open for
// an entry, and the find group over the receiver or the code.
RegisterDescription codeStoreDescription();

// The code store's window. Its "&Crypt" button scrambles every code on disk and "Decrypt"
// unscrambles them, in one pass guarded by the main password; while the codes are scrambled
// they can be browsed, but not added, edited, deleted or searched. The window is built at each
// opening and destroyed when it closes.
class TLosenOrdForm final : public RegisterWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLosenOrdForm)
public:
    // `askPassword` shows the code store's password prompt and says whether it was answered
    // right; it is asked only when a main password is set.
    TLosenOrdForm(AppContext& context, std::function<bool()> askPassword,
                  QWidget* parent = nullptr);
    ~TLosenOrdForm() override;

    // Whether the codes are held scrambled, as the scramble button's caption says.
    bool scrambled() const;
    QPushButton* scrambleButton() const { return scrambleKnp_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* entryLabel() const { return entryLabel_; }
    bool passRunning() const { return pass_ != nullptr; }

    void CryptKnpClick();

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildNotes();
    void setHooks();
    void showScrambledState();
    void refuseCodeSearch();
    void passEnded(const QString& failure);

    std::function<bool()> askPassword_;
    QLabel* entryLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* scrambleKnp_ = nullptr;
    CodeStorePass* pass_ = nullptr;
};

} // namespace hoardly
