#pragma once

#include <functional>

// Runs `work` on a thread of its own while the windows stay responsive (their events are
// handled meanwhile); returns when it has ended and rethrows what it threw. The work must not
// touch windows or anything the windows use meanwhile.
void runInBackground(const std::function<void()>& work);
