#include "hosts/host_variant.h"

#include "hosts/sheet/sheet_host.h"
#include "hosts/slide/slide_host.h"

namespace brelm {

std::unique_ptr<HostVariant> makeHostVariant(HostKind kind, Addin& addin) {
  if (kind == HostKind::Sheet) return std::make_unique<SheetHost>(addin);
  return std::make_unique<SlideHost>(addin);
}

}  // namespace brelm
