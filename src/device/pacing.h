#pragma once
// The pauses of the protocol, named once, and the waits that keep the window
// painting while they run.

namespace pacing {

constexpr int kSettleStepMs = 64;         // settle pause: two steps of 64 ms
constexpr int kSettleMaxSteps = 256;
constexpr int kBulkReportGapMs = 120;     // after every bulk output report
constexpr int kUnsettledCommandMs = 8;    // after a command sent without settle pause
constexpr int kLinkRetryMs = 8;           // acquireLink: wait between attempts
constexpr int kLinkAttempts = 255;        // ... about 2 s in all
constexpr int kBulkReadTimeoutMs = 1000;  // a bulk input report that does not come in time fails the read
constexpr int kNotifyReadTimeoutMs = 500; // one read of the notification loop

// Waits ms milliseconds in a local event loop that keeps painting and timers
// going but excludes user input. Never ends early (precise timer).
void pause(int ms);
// Plain sleep of the calling thread, for threads without an event loop.
void sleepThread(int ms);

// Scales every pause above (1.0 = the protocol's timing). Only tests that do not
// measure timing lower it, to keep long sequences quick.
void setTimeScale(double scale);
double timeScale();

} // namespace pacing
