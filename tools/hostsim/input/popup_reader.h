#pragma once
// Reads what the add-ins put on the screen outside their strip, as the user
// sees it: a popup menu of the window system (class "#32768", as
// TrackPopupMenu shows it) and a tooltip (class "tooltips_class32"). Only
// visible windows of this process (or of the process `processId`) count;
// nothing is asked of the add-in.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace hostsim {

struct ShownMenuItem {
  std::wstring text;  // as drawn: mnemonic ampersands taken out
  bool checked = false;
  bool highlighted = false;
  bool separator = false;
  RECT rect{};  // screen pixels; empty when the system would not say
};

struct ShownMenu {
  HWND window = nullptr;
  std::vector<ShownMenuItem> items;
};

// The popup menu showing, or nothing.
std::optional<ShownMenu> shownMenu(DWORD processId = 0);

struct ShownTooltip {
  HWND window = nullptr;
  RECT rect{};                     // screen pixels
  std::vector<std::wstring> lines;  // as drawn, top to bottom
};

// The tooltip showing (visible, with some text), or nothing.
std::optional<ShownTooltip> shownTooltip(DWORD processId = 0);

// A menu item's string as a menu draws it: "&&" is one ampersand, any other
// "&" only underlines the next character; after a tab comes the shortcut,
// drawn apart, given back after one blank.
std::wstring menuTextAsShown(const std::wstring& raw);

// A tooltip's text as it is drawn: one line each at "\n" or "\r\n" when the
// control breaks lines (it has a maximum width), else one line; without
// TTS_NOPREFIX the control takes its ampersands out as a menu does.
std::vector<std::wstring> tooltipLinesAsShown(const std::wstring& text, bool breaksLines, bool noPrefix);

}  // namespace hostsim
