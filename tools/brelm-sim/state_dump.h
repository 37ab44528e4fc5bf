#pragma once
// The state of the add-in and of the simulated machine as one JSON object:
// what a scenario prints with `dump` and checks with `#expect`.
#include <nlohmann/json.hpp>

#include "addin/addin.h"
#include "sim/sim_platform.h"

namespace brelm::sim {

// `calls` are the log entries since the previous dump (actions; property
// reads too when withReads); `reads` counts the reads among them.
nlohmann::json dumpState(const Addin& addin, SimPlatform& platform, bool withReads);

}  // namespace brelm::sim
