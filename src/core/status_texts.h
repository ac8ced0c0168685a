// The captions of the status line and the display's text while the uptime timers are stopped.
#pragma once

namespace rzv {

inline constexpr const char* kStatusReady = "READY...";
inline constexpr const char* kStatusAutostarting = "!!! AUTOSTARTING !!!";
inline constexpr const char* kStatusStarting = "!!! STARTING !!!";
inline constexpr const char* kStatusAborted = "!!! ABORTED !!!";
inline constexpr const char* kStatusLogging = "!!! LOGGING UPTIME !!!";
inline constexpr const char* kStatusAutoclosing = "!!! AUTOCLOSING !!!";
inline constexpr const char* kStatusLogWriteFailed = "!!! LOG WRITE FAILED !!!";

inline constexpr const char* kTimersDisabled = "TIMERS DISABLED";

inline constexpr const char* kButtonStart = "START";
inline constexpr const char* kButtonStop = "STOP";

}  // namespace rzv
