#pragma once

#include "registers/SearchCriteria.h"
#include "ui/Shell.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace hoardly {

// The search page of a register window: criterion radio buttons, one or two pick-list
// inputs, Submit and Reset, and the read-only grid on the shared query. The register's
// criteria table says everything that differs between the registers.
class SearchPage final : public QWidget {
    Q_OBJECT
public:
    SearchPage(const AppContext& context, const search::SearchRegister& criteria,
               QWidget* parent = nullptr);

    // Opening the page: the first criterion is selected (its selection step runs only when
    // another one was selected), or, for a register that starts with none, the first visit
    // empties the shared query.
    void enter();

    // Whether ENTER anywhere on the page presses Submit; the window's ENTER-as-TAB must then
    // leave the page alone.
    bool submitsOnEnter() const { return criteria_.submitIsDefault; }

    void selectCriterion(int criterion); // as a click on its radio button
    int selectedCriterion() const;       // -1 when none is
    void submit();                       // "&Submit"
    void reset();                        // "&Reset"

    QRadioButton* criterionButton(int criterion) const;
    QLabel* firstPrompt() const { return firstPrompt_; }
    QLabel* secondPrompt() const { return secondPrompt_; } // null with one input
    QComboBox* firstInput() const { return firstInput_; }
    QComboBox* secondInput() const { return secondInput_; } // null with one input
    QPushButton* submitButton() const { return submitButton_; }
    QPushButton* resetButton() const { return resetButton_; }
    QTableView* grid() const { return grid_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    QWidget* buildCriteria();
    QComboBox* makeInput(const QString& name);
    void criterionToggled(int criterion, bool checked);
    void selectionStep(const search::Criterion& criterion);
    void showInput(QLabel* prompt, QComboBox* input, const search::InputRow& row);
    void fillInput(QComboBox* input, const search::InputRow& row);
    void runStatement(const search::Criterion& criterion, const search::BuiltStatement& built);
    void showColumns(const search::Criterion& criterion);
    void followQuery();
    void resetStep();

    AppContext context_;
    const search::SearchRegister& criteria_;
    bool visited_ = false;
    int pending_ = -1; // the criterion whose rows are being read

    QButtonGroup* group_ = nullptr;
    QLabel* firstPrompt_ = nullptr;
    QLabel* secondPrompt_ = nullptr;
    QComboBox* firstInput_ = nullptr;
    QComboBox* secondInput_ = nullptr;
    QPushButton* submitButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QTableView* grid_ = nullptr;
};

} // namespace hoardly
