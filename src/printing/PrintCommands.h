#pragma once

#include "PrintList.h"

#include <QDate>
#include <functional>

class QWidget;

namespace hoardly {

struct AppContext;
class Table;

namespace print {

class ListOutput;

// The print and preview requests of a register window. Each reads the list's records from a
// table object of its own on the table file in the directory of the settings field
// `Applikationpath`, so the window's table keeps its current record and an entry still open is
// not printed. The print first answers an empty register with its message (the lists that have
// one), through the window's information box.
class PrintCommands {
public:
    PrintCommands(AppContext& context, QWidget* window, PrintList list);

    void preview(const QDate& today);
    void print(const Table& registerTable, const QDate& today);

private:
    // The context's output, or the real one.
    void toOutput(const std::function<void(ListOutput&)>& use);

    AppContext& context_;
    QWidget* window_;
    PrintList list_;
};

} // namespace print
} // namespace hoardly
