#pragma once

// While the window opens or saves a skin: the busy cursor, and for work done
// on another thread (unpacking a large archive), a window that goes on
// painting but takes no input, so that no second action starts before the
// first has ended.

#include <functional>

namespace tf {

// The busy cursor over every window for as long as it lives.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Runs work on a thread of its own and returns when it has ended, throwing
// what it threw. Work that ends within a moment is simply waited for; while
// longer work runs, events are handled, so the windows paint, but the mouse,
// the keys, drops and closing a window are held back (a window closed
// meanwhile closes once the work has ended). work must not touch widgets.
void RunOffGuiThread(const std::function<void()>& work);

// True while RunOffGuiThread handles events.
bool GuiThreadWaiting();

} // namespace tf
