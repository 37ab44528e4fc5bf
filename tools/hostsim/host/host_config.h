#pragma once
// Which host is imitated, the version it reports, and the choices a test
// makes where the hosts' documentation says nothing.
#include <optional>
#include <string>
#include <utility>

namespace hostsim {

enum class HostKind { Sheet, Slide };

// A switch between two document windows of the presentation host: whether
// ActiveWindow names the new window already when WindowDeactivate is raised
// for the old one (ActiveFirst), or only after it (DeactivateFirst). The
// documentation does not say.
enum class SwitchOrder { ActiveFirst, DeactivateFirst };

struct HostConfig {
  HostConfig() = default;
  HostConfig(HostKind k, std::wstring v) : kind(k), version(std::move(v)) {}

  HostKind kind = HostKind::Sheet;
  std::wstring version = L"14.0";
  // The border in pixels each frame draws around its client area itself;
  // none given: what hostsim's frames of that version draw (the spreadsheet
  // host 0, 2 or 4 by version, the presentation host a standard frame).
  std::optional<int> border;
  // The host starts without its frame; a script builds it later.
  bool noFrame = false;
  SwitchOrder switchOrder = SwitchOrder::ActiveFirst;

  double versionNumber() const;
  int major() const { return static_cast<int>(versionNumber()); }
  bool sheet() const { return kind == HostKind::Sheet; }
  // One top-level frame per document window: presentation hosts above 13,
  // spreadsheet hosts from 15 on (single-document interface).
  bool framePerDocument() const { return sheet() ? versionNumber() >= 15 : versionNumber() > 13; }
  // The border hostsim's frames of this version draw when none is given.
  std::optional<int> versionBorder() const;
};

}  // namespace hostsim
