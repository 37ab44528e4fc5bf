#include "sim/sim_platform.h"

namespace brelm::sim {

SimPlatform::SimPlatform(const SimOptions& opts)
    : options(opts),
      windows(tree, log, opts.dpi),
      toolkit(tree, windows, log),
      registry(log),
      shell(log) {
  HostOptions hostOptions{opts.version, opts.widthPoints, opts.frameBorder, opts.frameOrigin};
  if (opts.host == HostKind::Sheet) {
    host = std::make_shared<SheetHost>(hostOptions, log, tree, windows);
  } else {
    host = std::make_shared<SlideHost>(hostOptions, log, tree, windows);
  }
  windows.setFaults(&faults);
  toolkit.setFaults(&faults);
  host->setFaults(&faults);
  if (opts.theme) {
    registry.setDword(RegRoot::CurrentUser, officeCommonKey(opts.version), "Theme", *opts.theme);
  }
  if (opts.uiTheme) {
    registry.setDword(RegRoot::CurrentUser, officeCommonKey(opts.version), "UI Theme",
                      *opts.uiTheme);
  }
}

}  // namespace brelm::sim
