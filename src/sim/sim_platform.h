#pragma once
// One simulated machine: the desktop, the window system, the form toolkit,
// the registry, the shell and one host, wired together, with the log they all
// write to. Build the add-in with platform() and hand it host->application().
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "addin/addin.h"
#include "sim/fault_plan.h"
#include "sim/host_model.h"
#include "sim/sheet_host.h"
#include "sim/sim_log.h"
#include "sim/sim_registry.h"
#include "sim/sim_toolkit.h"
#include "sim/sim_trace.h"
#include "sim/sim_window_system.h"
#include "sim/slide_host.h"
#include "sim/window_tree.h"

namespace brelm::sim {

struct SimOptions {
  HostKind host = HostKind::Sheet;
  std::string version = "14.0";
  int dpi = 96;
  std::optional<std::uint32_t> theme;  // HKCU ...\Office\<version>\Common "Theme"
  double widthPoints = 1000;
  std::optional<std::uint32_t> uiTheme;  // ... "UI Theme", where 15 on keep it
  std::optional<int> frameBorder;  // the version's own when unset
  Point frameOrigin{40, 30};
};

class SimPlatform {
 public:
  explicit SimPlatform(const SimOptions& options);
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  Platform platform() { return Platform{windows, toolkit, registry, shell}; }
  SheetHost* sheet() { return dynamic_cast<SheetHost*>(host.get()); }
  SlideHost* slide() { return dynamic_cast<SlideHost*>(host.get()); }

  SimOptions options;
  // Off until a test starts it; every simulated component consults it.
  FaultPlan faults;
  SimLog log;
  // Where the add-in's swallowed failures are to be written: into the log.
  SimTrace trace{log};
  WindowTree tree;
  SimWindowSystem windows;
  SimToolkit toolkit;
  SimRegistry registry;
  SimShell shell;
  std::shared_ptr<HostModel> host;
};

}  // namespace brelm::sim
