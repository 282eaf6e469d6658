#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QWidget;

namespace hoardly {

class DataSource;
class Table;
class TableGridModel;

// Ties one control to one field of a data source: the control shows the current record's
// value and follows every move; typing writes into the record (starting an edit when the
// source allows it). Store errors met while doing so are handed to `failed`.
class FieldBinding : public QObject {
    Q_OBJECT
public:
    FieldBinding(DataSource& source, QString field, QWidget* control);
    Table& table() const;
    const QString& field() const { return field_; }

signals:
    void failed(const QString& text);

protected:
    // Puts the current value into the control.
    virtual void show(const QString& text) = 0;
    // Writes the control's text into the record; false when the table could not take it.
    bool write(const QString& text);
    void refresh();
    bool showing() const { return showing_; }

private:
    DataSource& source_;
    QString field_;
    bool showing_ = false;
};

class LineEditBinding final : public FieldBinding {
    Q_OBJECT
public:
    LineEditBinding(DataSource& source, const QString& field, QLineEdit* edit);

private:
    void show(const QString& text) override;
    QPointer<QLineEdit> edit_;
};

class ComboBinding final : public FieldBinding {
    Q_OBJECT
public:
    ComboBinding(DataSource& source, const QString& field, QComboBox* combo);

private:
    void show(const QString& text) override;
    QPointer<QComboBox> combo_;
};

class MemoBinding final : public FieldBinding {
    Q_OBJECT
public:
    MemoBinding(DataSource& source, const QString& field, QPlainTextEdit* memo, int maxLength = 0);

private:
    void show(const QString& text) override;
    QPointer<QPlainTextEdit> memo_;
    int maxLength_;
};

class CheckBinding final : public FieldBinding {
    Q_OBJECT
public:
    CheckBinding(DataSource& source, const QString& field, QCheckBox* check);

private:
    void show(const QString& text) override;
    QPointer<QCheckBox> check_;
};

class LabelBinding final : public FieldBinding {
    Q_OBJECT
public:
    LabelBinding(DataSource& source, const QString& field, QLabel* label);

private:
    void show(const QString& text) override;
    QPointer<QLabel> label_;
};

// A picture field shown stretched to a label.
class PictureBinding final : public FieldBinding {
    Q_OBJECT
public:
    PictureBinding(DataSource& source, const QString& field, QLabel* label);

private:
    void show(const QString& text) override;
    QPointer<QLabel> label_;
};

// Keeps a grid's current row and its table's current record the same, both ways.
class GridBinding final : public QObject {
    Q_OBJECT
public:
    GridBinding(TableGridModel& model, QTableView* view);

signals:
    void failed(const QString& text);

private:
    void followTable();
    void followView(int row);
    TableGridModel& model_;
    QPointer<QTableView> view_;
    bool syncing_ = false;
};

} // namespace hoardly
