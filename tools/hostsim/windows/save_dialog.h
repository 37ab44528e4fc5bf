#pragma once
// The Save As dialog of FileDialog(2).Show: a real modal window with a file
// name box and Save / Cancel buttons, answered by a person or by a script.
#include <windows.h>

#include <optional>
#include <string>

namespace hostsim {

// The chosen file name, or nothing when cancelled.
std::optional<std::wstring> runSaveDialog(HWND owner, const std::wstring& initialName);

struct OpenSaveDialog {
  HWND window = nullptr;
  HWND nameBox = nullptr;
  HWND saveButton = nullptr;
  HWND cancelButton = nullptr;
};
std::optional<OpenSaveDialog> currentSaveDialog();

}  // namespace hostsim
