#include "SearchPage.h"

#include "data/SharedRoutines.h"
#include "data/TDM.h"
#include "data/TextFiles.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/GridColumns.h"
#include "ui/PlainTextDelegate.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

// The statement file of the screen-time searches, in the current working directory.
constexpr auto kSqlFile = "sql.txt";

// An input in use is white; one not in use is disabled on silver grey.
void setInUse(QComboBox* input, bool inUse) {
    input->setEnabled(inUse);
    const QColor background = inUse ? QColor(Qt::white) : QColor(192, 192, 192);
    QPalette palette = input->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Button, background);
    }
    // The fixed text of an input not in use stays readable on the grey.
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(64, 64, 64));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(64, 64, 64));
    input->setPalette(palette);
}

} // namespace

SearchPage::SearchPage(const AppContext& context, const search::SearchRegister& criteria,
                       QWidget* parent)
    : QWidget(parent), context_(context), criteria_(criteria) {
    setObjectName(u"SeekPage"_s);
    build();
}

void SearchPage::build() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildCriteria());

    auto* inputs = new QGridLayout;
    firstPrompt_ = new QLabel(criteria_.firstPromptText, this);
    firstPrompt_->setObjectName(u"Felt1Lb"_s);
    firstInput_ = makeInput(u"SeekAktorBox1"_s);
    firstPrompt_->setBuddy(firstInput_);
    inputs->addWidget(firstPrompt_, 0, 0);
    inputs->addWidget(firstInput_, 1, 0);
    if (criteria_.twoInputs) {
        secondPrompt_ = new QLabel(criteria_.secondPromptText, this);
        secondPrompt_->setObjectName(u"Felt2Lb"_s);
        secondInput_ = makeInput(u"SeekAktorBox2"_s);
        secondPrompt_->setBuddy(secondInput_);
        inputs->addWidget(secondPrompt_, 0, 1);
        inputs->addWidget(secondInput_, 1, 1);
    }
    submitButton_ = new QPushButton(u"&Submit"_s, this);
    submitButton_->setObjectName(u"BitBtn2"_s);
    submitButton_->setDefault(criteria_.submitIsDefault);
    resetButton_ = new QPushButton(u"&Reset"_s, this);
    resetButton_->setObjectName(u"BitBtn3"_s);
    resetButton_->setAutoDefault(false);
    inputs->addWidget(submitButton_, 1, 2);
    inputs->addWidget(resetButton_, 1, 3);
    inputs->setColumnStretch(0, 1);
    inputs->setColumnStretch(1, 1);
    layout->addLayout(inputs);

    grid_ = new QTableView(this);
    grid_->setObjectName(u"SeekGrid"_s);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setItemDelegate(new PlainTextDelegate(grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    // Column widths follow the rows on screen only, so a large result costs no more.
    grid_->horizontalHeader()->setResizeContentsPrecision(0);
    layout->addWidget(grid_, 1);

    connect(submitButton_, &QPushButton::clicked, this, &SearchPage::submit);
    connect(resetButton_, &QPushButton::clicked, this, &SearchPage::reset);
    connect(group_, &QButtonGroup::idToggled, this, &SearchPage::criterionToggled);
    // The statement runs on the query's own thread; its rows come in here.
    Query& query = context_.tdm.filmQ();
    connect(&query, &Query::stateChanged, this, [this, &query] {
        if (query.isOpen() && pending_ >= 0)
            showColumns(criteria_.criteria[std::exchange(pending_, -1)]);
    });
    connect(&query, &Query::failed, this, [this](const QString& text) {
        if (std::exchange(pending_, -1) >= 0)
            reportFault(context_.dialogs, this, text);
    });
}

QWidget* SearchPage::buildCriteria() {
    auto* box = new QGroupBox(this);
    auto* layout = new QGridLayout(box);
    group_ = new QButtonGroup(this);
    const int count = int(criteria_.criteria.size());
    const int perColumn = (count + 1) / 2; // left column first, then the right one
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(criteria_.criteria[i].radioText, box);
        button->setObjectName(u"RButton%1"_s.arg(i + 1));
        group_->addButton(button, i);
        layout->addWidget(button, i % perColumn, i / perColumn);
    }
    return box;
}

QComboBox* SearchPage::makeInput(const QString& name) {
    auto* input = new QComboBox(this);
    input->setObjectName(name);
    input->setEditable(true);
    // What the user types is searched for, never added to the list nor completed from it: an
    // inline completion would search for more than was typed and take the first ENTER.
    input->setInsertPolicy(QComboBox::NoInsert);
    input->setCompleter(nullptr);
    input->setMinimumWidth(220);
    input->setEditText(criteria_.inputText);
    setInUse(input, true);
    return input;
}

QRadioButton* SearchPage::criterionButton(int criterion) const {
    return qobject_cast<QRadioButton*>(group_->button(criterion));
}

int SearchPage::selectedCriterion() const {
    return group_->checkedId();
}

void SearchPage::selectCriterion(int criterion) {
    if (QRadioButton* button = criterionButton(criterion))
        button->setChecked(true);
}

void SearchPage::enter() {
    if (criteria_.opening == search::Opening::SelectFirst) {
        selectCriterion(0);
    } else if (!visited_) {
        runCommand(context_.dialogs, this, [this] { context_.tdm.filmQ().clear(); });
    }
    followQuery();
    visited_ = true;
}

// The query is shared by the registers' search pages and keeps the rows of the last search
// until the next: the grid takes it at the first entering, after the clearing, or with the
// first rows found, so that opening a window does not lay out the rows another search left.
void SearchPage::followQuery() {
    if (!grid_->model())
        grid_->setModel(&context_.tdm.filmQSource());
}

void SearchPage::criterionToggled(int criterion, bool checked) {
    // Only a change of selection gets here: clicking the selected criterion changes nothing.
    if (!checked)
        return;
    runCommand(context_.dialogs, this, [&] { selectionStep(criteria_.criteria[criterion]); });
}

void SearchPage::selectionStep(const search::Criterion& criterion) {
    firstInput_->clear();
    firstInput_->clearEditText();
    if (secondInput_) {
        secondInput_->clear();
        secondInput_->clearEditText();
    }
    showInput(firstPrompt_, firstInput_, criterion.first);
    if (secondInput_)
        showInput(secondPrompt_, secondInput_, criterion.second);
    context_.tdm.filmQ().clear();
    context_.tdm.filmQSource().clearTitles();
    fillInput(firstInput_, criterion.first);
    if (secondInput_)
        fillInput(secondInput_, criterion.second);
    if (firstInput_->isEnabled())
        firstInput_->setFocus();
}

void SearchPage::showInput(QLabel* prompt, QComboBox* input, const search::InputRow& row) {
    setInUse(input, row.inUse);
    input->setEditText(row.text);
    prompt->setText(row.prompt);
}

void SearchPage::fillInput(QComboBox* input, const search::InputRow& row) {
    const QStringList entries = search::pickListEntries(context_.tdm, row);
    if (entries.isEmpty())
        return;
    // Adding the first entry would replace the input's text; it keeps its text instead.
    const QString text = input->currentText();
    input->addItems(entries);
    input->setCurrentIndex(-1);
    input->setEditText(text);
}

void SearchPage::submit() {
    runCommand(context_.dialogs, this, [this] {
        QStringList typed{firstInput_->currentText()};
        if (secondInput_)
            typed << secondInput_->currentText();
        context_.tdm.filmQ().clear();
        const int selected = selectedCriterion();
        if (selected < 0)
            return;
        const search::Criterion& criterion = criteria_.criteria[selected];
        const search::BuiltStatement built = search::buildStatement(criterion, typed);
        if (!built.problem.isEmpty()) {
            context_.dialogs.errorBox(this, built.problem);
            return;
        }
        pending_ = selected;
        runStatement(criterion, built);
    });
}

// The typed values run bound to the statement's marks. A statement that goes through the
// file is written there whole, its values as SQL literals, and run as the file holds it.
void SearchPage::runStatement(const search::Criterion& criterion,
                              const search::BuiltStatement& built) {
    Query& query = context_.tdm.filmQ();
    if (criterion.throughFile) {
        const QString file = QString::fromLatin1(kSqlFile);
        writeTextFile(file, built.text);
        query.close();
        query.loadFromFile(file);
        query.setParameters({}); // the file holds the whole statement
    } else {
        query.setStatement({built.sql});
        query.setParameters(built.values);
    }
    query.openInBackground();
}

void SearchPage::showColumns(const search::Criterion& criterion) {
    const Query& query = context_.tdm.filmQ();
    QueryModel& model = context_.tdm.filmQSource();
    QStringList names;
    for (int column = 0; column < query.columnCount(); ++column)
        names << query.columnName(column);
    const QList<search::ColumnLook> looks = search::columnLooks(criterion.columns, names);
    followQuery();
    model.clearTitles();
    for (int column = 0; column < looks.size(); ++column) {
        model.setColumnTitle(column, looks[column].title);
        grid_->setColumnHidden(column, looks[column].hidden);
    }
    fitColumnsToTexts(grid_);
}

void SearchPage::reset() {
    runCommand(context_.dialogs, this, [this] { resetStep(); });
}

void SearchPage::resetStep() {
    context_.tdm.filmQ().clear();
    const bool wasEnabled = firstInput_->isEnabled();
    firstInput_->setEnabled(true);
    const QString chooseHere = QString::fromLatin1(search::kChooseHere);
    firstInput_->setEditText(chooseHere);
    if (secondInput_)
        secondInput_->setEditText(chooseHere); // one not in use stays disabled
    firstInput_->setFocus();
    if (!wasEnabled)
        firstInput_->setEnabled(false);
    if (const auto& notice = criteria_.emptyAfterReset; notice && notice->table) {
        Table& table = context_.tdm.table(*notice->table);
        table.open();
        if (isTableEmpty(table))
            context_.dialogs.info(this, notice->caption, notice->text);
    }
}

void SearchPage::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && criteria_.submitIsDefault && submitButton_->isEnabled()) {
        submitButton_->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace hoardly
