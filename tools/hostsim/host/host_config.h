#pragma once
// Which host is imitated, and the version it reports.
#include <string>

namespace hostsim {

enum class HostKind { Sheet, Slide };

struct HostConfig {
  HostKind kind = HostKind::Sheet;
  std::wstring version = L"14.0";
  double versionNumber() const;
  int major() const { return static_cast<int>(versionNumber()); }
  bool sheet() const { return kind == HostKind::Sheet; }
  // Presentation hosts above 13 open one top-level frame per document window.
  bool framePerDocument() const { return !sheet() && versionNumber() > 13; }
};

}  // namespace hostsim
