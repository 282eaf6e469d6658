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
struct ScreenshotWindow {
    const char* name;
    std::function<QWidget*(Application&)> show;
};

const std::vector<ScreenshotWindow>& screenshotWindows();

// What the intro's timer does at start-up, done at once.
void setUpNow(Application& app);

} // namespace hoardly
