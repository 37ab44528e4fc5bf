#pragma once
// Lookups the script's checks share: host windows by class and title, the
// message box showing, and the process's GDI and USER object counts.
#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace hostsim {

class Host;

// TARGET: `strip`, `main` (screen rectangle of the frame), or a window
// inside the frame as CLASS or CLASS:TITLE. Other rectangles are in client
// coordinates of the frame: the main window (the frame in front) unless one
// is given.
std::optional<RECT> hostWindowRect(Host& host, const std::string& target, HWND frame = nullptr);
HWND findHostWindow(Host& host, const std::string& target, HWND frame = nullptr);

// A top-level frame named in a script: a window's caption (the frame showing
// it), `empty` (the frame shown while no window is), `main` (the frame in
// front) or `protected` (the Protected View window). Null when there is none.
HWND findFrame(Host& host, const std::string& selector);
// How a script names a top-level window: a caption, `empty`, `protected`, or
// its class and title for anything else.
std::string frameName(Host& host, HWND frame);

// Where a frame's children stand against the host's own last layout of it:
// "original", "docked" (room made once for a strip `stripHeight` pixels high
// above the document area: the formula bar taller by that much, the document
// area and the side docks moved down by it, their bottom edges where they were
// or lower by the frame's border allowance), or what differs.
std::string layoutState(Host& host, HWND frame, int stripHeight);
std::optional<std::wstring> messageBoxText();

// GetGuiResources where the system answers it; under Wine, which answers 0,
// the GDI objects in the process's handle table and the windows of the
// calling thread instead.
struct ResourceCounts {
  long gdi = 0, user = 0;
  // Under Wine, the GDI objects by kind (device contexts, bitmaps, brushes,
  // ...), so that a difference says what grew.
  std::map<std::string, long> gdiKinds;
};
// What differs between two counts of GDI objects by kind ("bitmap +2, dc +1").
std::string gdiKindsDiffer(const std::map<std::string, long>& before, const std::map<std::string, long>& after);
ResourceCounts resourceCounts();

}  // namespace hostsim
