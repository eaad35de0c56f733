#pragma once

namespace layer {

// Logs the version, the system, the processor and its speed, and fills SystemInfo with them.
// Returns 0.
int LogSystemReport();

}  // namespace layer
