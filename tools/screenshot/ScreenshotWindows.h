#pragma once

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace hoardly {

class Application;

// A window the screenshot tool can show: by name, a function that opens it in a freshly
// built application and returns the widget to grab. A modal window is opened from the event
// loop (it runs its own), so the widget may show only after the function has returned.
// An entry named "html-..." writes a register's HTML list and one named "pdf-..." a printed
// list's PDF file instead of a picture.
struct ScreenshotWindow {
    const char* name;
    std::function<QWidget*(Application&)> show;
    // False for a second way to one window whose picture another entry makes; it has no
    // picture of its own in docs/screenshots.
    bool pictured = true;
};

const std::vector<ScreenshotWindow>& screenshotWindows();

// The name (without ".png") of the picture in docs/screenshots that shows an entry's output:
// a window's picture carries the entry's name, a rendered HTML list too ("html-film"), and a
// printed list's first page "print-<list>" (scripts/print-pictures.sh). Empty for an entry
// that is not pictured.
QString pictureName(const ScreenshotWindow& window);

// What the intro's timer does at start-up, done at once.
void setUpNow(Application& app);

} // namespace hoardly
