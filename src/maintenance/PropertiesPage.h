#pragma once

#include <QWidget>

namespace hoardly {

// One tab of the properties window. Everything a page shows is read again from the settings
// each time the window opens, and every change is written at once, so a page keeps no state
// of its own beyond its controls.
class PropertiesPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // The window opens: show what the settings say. A store error stops the opening.
    virtual void windowOpening() {}
    // The page came to the front: the user chose its tab, or the window opened on it.
    virtual void pageShown() {}
    // The window closes, in whatever way.
    virtual void windowClosing() {}
};

} // namespace hoardly
