#pragma once
// Windows for the tests: a plain top-level window standing for a host's
// main window, and a message pump that runs until the queue is idle.
#include <windows.h>

namespace brelm::win32::test {

// Dispatches messages for at least `ms` milliseconds.
void pump(DWORD ms);

// True for a window below HWND_MESSAGE: never shown, in no host's tree.
bool isMessageOnly(HWND window);

// While one lives, creating a window of the given class on this thread
// fails, as when the system has no window handles left (a CBT hook of the
// thread refuses it).
class CreationRefused {
 public:
  explicit CreationRefused(const wchar_t* cls);
  ~CreationRefused() { stop(); }
  CreationRefused(const CreationRefused&) = delete;
  CreationRefused& operator=(const CreationRefused&) = delete;
  void stop();
  int refused() const;

 private:
  HHOOK hook_ = nullptr;
};

// Whether this program has a window class of that name registered.
bool classRegistered(const wchar_t* cls);

class HostWindow {
 public:
  // A visible top-level window of the given class, 800 x 600 at (40, 40).
  explicit HostWindow(const wchar_t* cls = L"BrelmTestHost");
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace brelm::win32::test
