#pragma once
// Another program on the same desktop, started as a second hostsim process:
// a second instance of the host (a frame of the host's class with the
// children a frame has and a document in it, no add-ins) or a plain window
// of some other program. Its window comes in front when it starts.
#include <windows.h>

#include <string>

#include "host/host_config.h"

namespace hostsim {

class SecondProcess {
 public:
  enum class Kind { Host, Other };
  SecondProcess() = default;
  ~SecondProcess() { stop(); }
  SecondProcess(const SecondProcess&) = delete;
  SecondProcess& operator=(const SecondProcess&) = delete;

  // Starts it and waits (dispatching this thread's messages) until its
  // window shows; false if it did not within the time.
  bool start(Kind kind, const HostConfig& config, const std::wstring& caption);
  // Ends it and waits for it to go.
  void stop();
  bool running() const;
  // Its frame (a second host) or its window (another program).
  HWND window() const { return window_; }
  Kind kind() const { return kind_; }
  DWORD processId() const { return process_.dwProcessId; }

 private:
  HWND findWindow() const;
  Kind kind_ = Kind::Host;
  std::wstring class_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// The child's side: runs as the second process until told to quit or until
// the process `parent` ends. Returns the exit status.
int runSecondProcess(SecondProcess::Kind kind, const HostConfig& config, const std::wstring& open, DWORD parent);

}  // namespace hostsim
