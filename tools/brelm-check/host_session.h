#pragma once
// One host driven through its automation server: started for this run (the
// spreadsheet host always gets an instance of its own; the presentation
// host runs one instance per user, so a running one is refused), its
// documents made in a temporary folder and closed without saving, and only
// an instance this run started is asked to quit.
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "automation.h"
#include "options.h"

namespace brelmcheck {

struct HostSpec {
  HostKind kind;
  std::wstring progId;       // the host's automation class
  std::wstring addinProgId;  // the add-in's
  std::string title;         // "spreadsheet host"
  std::wstring officeKey;    // where the host looks for add-ins

  static HostSpec of(HostKind kind, const Options& options);
  bool sheet() const { return kind == HostKind::Sheet; }
};

// Whether a window class is one of the host's frames.
bool isFrameClass(HostKind kind, const std::wstring& cls);
// Top-level frames of that process (every process: 0), front first; hidden
// ones too when asked (a host started for automation shows none yet).
std::vector<HWND> hostFrames(HostKind kind, DWORD processId, bool includeHidden = false);

// The add-in's registration: LoadBehavior and where it was found.
struct AddinRegistration {
  DWORD loadBehavior = 0;
  std::string where;  // "HKCU", "HKLM", "HKLM (32-bit)"
};
std::optional<AddinRegistration> findAddinRegistration(const std::wstring& officeKey, const std::wstring& progId);
// Puts LoadBehavior back where it was found (switching the add-in off and
// on through the object model may have written it).
bool restoreLoadBehavior(const std::wstring& officeKey, const std::wstring& progId, const AddinRegistration& was);

class HostSession {
 public:
  explicit HostSession(HostSpec spec) : spec_(std::move(spec)) {}
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Empty when the host is running for us; else why not.
  std::string launch();
  const HostSpec& spec() const { return spec_; }
  const Obj& app() const { return app_; }
  DWORD processId() const { return processId_; }
  HANDLE process() const { return process_; }
  bool startedHere() const { return started_; }

  // The frame the active document window is in.
  HWND activeFrame() const;
  // Workbooks / Presentations.
  Obj documents() const;
  // A new document of our own, with a window; returns the document.
  Obj newDocument() const;
  // Closes every document without saving, asks the host to quit when this
  // run started it, lets go of it and waits for it to end. Safe to call
  // again.
  void shutdown();
  // From another thread, when the host stopped answering: ends the host
  // this run started (also one that stopped answering while brelm-check
  // was still making sure it is not the user's, if it had no window before
  // brelm-check asked for it, and a presentation host that stopped before
  // its process was known), and waits a moment for it to be gone; leaves
  // any other alone. True when it ended one.
  bool abandon();

 private:
  HostSpec spec_;
  Obj app_;
  DWORD processId_ = 0;
  std::atomic<HANDLE> process_{nullptr};
  std::atomic<bool> started_{false};
  // Its process had no frame before brelm-check asked for it.
  std::atomic<bool> new_{false};
  // The processes with frames of the host's class before brelm-check asked
  // for its own; set before asked_.
  std::vector<DWORD> hadFrames_;
  std::atomic<bool> asked_{false};
  // Processes with frames of the host's class that had none before.
  std::vector<DWORD> processesWithNewFrames() const;
  std::atomic<bool> done_{false};
};

}  // namespace brelmcheck
