#pragma once
// A nested message loop for the host's modal windows (popup, Save As). It
// dispatches every message of the thread, so the add-in's timers and the
// test script keep running while the modal window is up.
#include <windows.h>

#include <functional>

namespace hostsim {

// Pumps until `done` turns true or `window` is gone. A WM_QUIT ends the loop
// and is posted again for the outer loop.
void runModalLoop(HWND window, const bool& done);

// Dispatches the thread's messages until `done` holds (asked after each
// message and at least every `stepMs`) or `timeoutMs` passed; false then. A
// WM_QUIT ends it and is posted again.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD stepMs = 10);

// Registers a window class once per process; returns false on failure.
bool registerClassOnce(const wchar_t* name, WNDPROC proc, HBRUSH background, UINT style = 0);

}  // namespace hostsim
