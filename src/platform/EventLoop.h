#pragma once
// The do-events call and the millisecond sleep of the one-threaded run.

namespace platform {

// Lets the window system run pending events (and with them any enabled handler).
void DoEvents();
// The same, blocking until there is at least one event.
void WaitForEvents();
// Do-events and wait calls under way now. A handler that runs at the count that a loop's own
// yield had came from that yield, not from the yield of another handler that holds the loop.
int DoEventsDepth();
// Sleeps without processing events.
void SleepMs(int milliseconds);

} // namespace platform
