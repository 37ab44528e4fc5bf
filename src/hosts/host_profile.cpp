#include "hosts/host_profile.h"

#include "tabstrip/strip_theme.h"

namespace brelm {

namespace {

// One frame per workbook window from 15 on; the frame's own border is 4
// pixels on the hosts that draw it themselves, 2 on 12, none before.
void sheetRow(HostProfile& p) {
  p.frameClass = "XLMAIN";
  p.framePerDocument = p.major >= 15;
  p.borderAllowance = p.version > 13 ? 4 : p.version > 11 ? 2 : 0;
  // Where every workbook has its frame the taskbar setting does nothing, and
  // showing the host shows every hidden workbook with it.
  p.setsTaskbar = !p.framePerDocument;
  p.togglesVisible = !p.framePerDocument;
}

// One frame per document window from 14 on, all of one class.
void slideRow(HostProfile& p) {
  p.frameClass = p.major >= 14 ? "PPTFrameClass" : "PP" + std::to_string(p.major) + "FrameClass";
  p.framePerDocument = p.version > 13;
  p.setsTaskbar = p.major < 14;
}

}  // namespace

HostProfile hostProfile(HostKind kind, const std::string& version) {
  HostProfile p;
  p.kind = kind;
  p.version = versionNumber(version);
  p.major = majorVersion(version);
  if (kind == HostKind::Sheet) {
    sheetRow(p);
  } else {
    slideRow(p);
  }
  return p;
}

}  // namespace brelm
