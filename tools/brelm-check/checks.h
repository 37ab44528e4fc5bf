#pragma once
// The checks, grouped in suites, run against one host: each drives the host
// through its object model or with real input, then compares what the
// add-in's strip shows (read through accessibility) with what the host
// says, and writes one line to the report with what it saw.
#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host_session.h"
#include "input/strip_reader.h"
#include "report.h"

namespace brelmcheck {

// What the host says about its windows: captions of the visible ones in
// host order, and the active one's.
struct HostWindows {
  std::vector<std::wstring> visible;
  std::optional<std::wstring> active;
};

// Tabs and windows name the same documents, whatever their order.
bool sameNames(std::vector<std::wstring> a, std::vector<std::wstring> b);
std::string joinNames(const std::vector<std::wstring>& names);

class Checks {
 public:
  Checks(HostSession& host, Report& report, std::wstring tempDir, std::wstring outDir,
         const std::atomic<bool>& stop)
      : host_(host), report_(report), tempDir_(std::move(tempDir)), outDir_(std::move(outDir)), stop_(stop) {}

  // The add-in is installed and connected (connected here if the host did
  // not load it). False: nothing else can be checked.
  bool prepareAddin();
  // Runs one suite and saves its screenshot.
  void runSuite(const std::string& name);

 private:
  void startup();
  void sync();
  void click();
  void disconnect();

  void check(const std::string& name, bool ok, const std::string& seen);
  // Retries `holds` until it is true or the host had long enough.
  bool waitUntil(const std::function<bool()>& holds, DWORD ms = 5000) const;
  HostWindows hostWindows() const;
  // The visible strip of the host's process, read through accessibility.
  std::optional<hostsim::StripView> strip(std::string* problem = nullptr) const;
  std::vector<std::wstring> tabNames(const hostsim::StripView& view) const;

  // The usual pair after every change: a tab per window, the active one
  // selected.
  void expectTabsFollow(const std::string& what);
  bool hasTab(const std::wstring& caption);
  std::wstring captionOf(const Obj& document) const;
  // Closes a document without saving. The presentation host with a frame
  // per document is closed through the tab's close button: closing it
  // through the host (its menus, the object model) is taken by the add-in
  // as the user closing the host.
  void closeDocument(const Obj& document);
  bool closeByTab(const std::wstring& caption, std::string& seen);
  bool framePerDocumentSlide() const;
  // A real click at a point of the strip, checking that the strip is what
  // is there to be clicked.
  bool clickStrip(HWND strip, POINT at, std::string& seen);
  std::wstring fileName(const std::wstring& stem) const;

  HostSession& host_;
  Report& report_;
  std::wstring tempDir_, outDir_;
  const std::atomic<bool>& stop_;
  std::string suite_;
};

}  // namespace brelmcheck
