#pragma once
// The do-events call and the millisecond sleep of the one-threaded run.

namespace platform {

// Lets the window system run pending events (and with them any enabled handler).
void DoEvents();
// Sleeps without processing events.
void SleepMs(int milliseconds);

} // namespace platform
