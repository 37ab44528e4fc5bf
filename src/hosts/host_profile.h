#pragma once
// What differs between hosts and their versions, read by the code that needs
// it. Chosen once, when the add-in learns its host's version, so that a new
// host version is a new row here rather than a version test in every file.
#include <string>

namespace brelm {

enum class HostKind { Sheet, Slide };

struct HostProfile {
  HostKind kind = HostKind::Sheet;
  double version = 0;  // the host's Version as a number
  int major = 0;
  // Class of the host's top-level frame windows.
  std::string frameClass;
  // Every document window has a top-level frame of its own, and the strip
  // lives in the frame of the active one.
  bool framePerDocument = false;
  // Spreadsheet host: the frame border the docking arithmetic takes off
  // screen positions (pixels).
  int borderAllowance = 0;
  // Start-up switches the host's taskbar setting off (where it still has an effect).
  bool setsTaskbar = false;
  // Re-showing the formula bar also hides and shows the host window, which
  // makes the host lay itself out again. Not where that shows hidden windows.
  bool togglesVisible = false;
};

HostProfile hostProfile(HostKind kind, const std::string& version);

}  // namespace brelm
