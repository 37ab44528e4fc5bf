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
  // One top-level frame per document window: presentation hosts above 13,
  // spreadsheet hosts from 15 on (single-document interface).
  bool framePerDocument() const { return sheet() ? versionNumber() >= 15 : versionNumber() > 13; }
};

}  // namespace hostsim
