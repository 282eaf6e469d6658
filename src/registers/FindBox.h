#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QString>

namespace hoardly {

class DataSource;
class Table;

// The find box of the register windows: bound to one field of a data source, it makes current,
// after every key that changes its text, the first record in the table's order whose field
// starts with the typed text, ignoring letter case. Between finds it shows the current record's
// value of its field (empty while a record is being inserted). A character the field cannot
// hold is refused with a beep; ESC empties the box. An optional result label shows the outcome.
// On a large table the texts are read in the background when the box is entered; a key typed
// before they are in finds when they come, and the window stays usable meanwhile.
class FindBox final : public QLineEdit {
    Q_OBJECT
public:
    // What the box accepts when no length is given: any length.
    static constexpr int kNoLimit = 32767;

    FindBox(DataSource& source, const QString& field, int maxLength = kNoLimit,
            QWidget* parent = nullptr);

    Table& table() const;
    const QString& field() const { return field_; }
    // Binds the box to another field, with the length it accepts there.
    void setField(const QString& field, int maxLength = kNoLimit);

    // The label that shows the outcome of a find, hidden by every change of the text.
    void setResultLabel(QLabel* label, const QString& found = QStringLiteral("Found!"),
                        const QString& notFound = QStringLiteral("Not found!"));
    QLabel* resultLabel() const { return result_; }

    // Runs the find with the box's text, as a released key does; answers whether it found.
    // While the table's texts are still being read it answers false and finds when they are
    // in (searched() tells the outcome then).
    bool find();
    bool isWaiting() const { return waiting_; }
    bool lastFindSucceeded() const { return lastFound_; }

signals:
    // After every find, with its outcome.
    void searched(bool found);
    // A typed character the field cannot hold was refused.
    void refused(QChar character);
    // A store error met while finding or following the table.
    void failed(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void followTable();
    void prepare();
    bool findNow();
    void textsRead();
    bool canHold(QChar character) const;

    DataSource& source_;
    QString field_;
    QPointer<QLabel> result_;
    QString foundText_;
    QString notFoundText_;
    bool finding_ = false;
    bool lastFound_ = false;
    bool waiting_ = false;
};

} // namespace hoardly
