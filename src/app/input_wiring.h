#pragma once
#include <memory>

class InputHooks;
class Widget;
class QApplication;

// Builds the hook object (argument 0), registers the keyboard, mouse and copy-data
// callbacks with the main window as context (which installs the native event
// filter on app). Returns the hook object; the caller keeps it for the whole run.
std::unique_ptr<InputHooks> startInputCapture(Widget& window, QApplication& app);
// Removes both hooks (after the event loop).
void stopInputCapture(InputHooks* hooks);
