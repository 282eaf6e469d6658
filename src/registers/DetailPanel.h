#pragma once

#include "DetailRows.h"

#include <QWidget>
#include <functional>

class QLabel;
class QListWidget;
class QStackedWidget;

namespace hoardly {

class DataSource;
class FindBox;
class Table;
struct DetailList;

// The browse page's view of a record's detail rows: their names under the description's title,
// or the single line saying there are none, and in the same place the hit panel of a find
// over the rows' names. The find box over the rows is the panel's too; the register window
// puts it into its find group.
class DetailPanel final : public QWidget {
    Q_OBJECT
public:
    DetailPanel(const DetailList& description, Table& records, DataSource& rows,
                QWidget* parent = nullptr);

    DetailRows& rows() { return rows_; }
    QListWidget* list() const { return list_; }
    QListWidget* hitPanel() const { return hits_; }
    // Hidden until the register window puts it into its find group.
    FindBox* findBox() const { return find_; }

    // Shows the current record's rows; does nothing while the detail table has no row at all,
    // so the list and the heading keep what they showed. Answers whether it refreshed.
    bool refresh();
    void hideHits();

signals:
    // A find over the rows made their record current.
    void recordFound();
    // A store error met while finding.
    void failed(const QString& text);

private:
    void showHit();

    const DetailList& d_;
    Table& records_;
    DetailRows rows_;
    QLabel* title_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QListWidget* list_ = nullptr;
    QListWidget* hits_ = nullptr;
    FindBox* find_ = nullptr;
};

} // namespace hoardly
