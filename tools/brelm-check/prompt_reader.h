#pragma once
// The host's modal prompts as the user sees them: a message box (the
// window system's "#32770" with a text and Yes / No / Cancel), the host's
// own question dialog where it draws one itself, and a Save As dialog (a
// dialog with a file name box). Only visible top-level windows of the host's
// process count.
#include <windows.h>

#include <optional>
#include <string>

namespace brelmcheck {

struct ShownPrompt {
  HWND window = nullptr;
  std::wstring text;  // the question, where the window system holds it
};

// A question showing: a message box, or a dialog of the host's own kind.
std::optional<ShownPrompt> shownPrompt(DWORD processId);

struct ShownSaveDialog {
  HWND window = nullptr;
  HWND nameBox = nullptr;  // the edit control holding the file name
};
std::optional<ShownSaveDialog> shownSaveDialog(DWORD processId);

// The button that answers `answer` (yes, no, cancel, ok): a standard button
// of the message box, else one named so for screen readers. Where it is on
// the screen; nothing when the prompt has no such button.
std::optional<POINT> answerButton(HWND prompt, const std::string& answer);

}  // namespace brelmcheck
