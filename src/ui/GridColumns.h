#pragma once

class QTableView;

namespace hoardly {

// The widest a result column grows to fit its texts: about 32 characters, so one long value
// cannot push the other columns out of sight. The cells carry their full text as a tool tip.
int maximumColumnWidth(const QTableView* view);

// Sizes every column to the texts on screen and its title, no wider than the maximum.
void fitColumnsToTexts(QTableView* view);

} // namespace hoardly
