#include "host_session.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>

#include "common/text.h"

namespace brelmcheck {

using hostsim::narrow;

namespace {
constexpr DWORD kQuitWaitMs = 20000;
constexpr DWORD kEndedWaitMs = 10000;
constexpr DWORD kFrameWaitMs = 10000;
constexpr long kSlideAlertsNone = 1;
constexpr long kTriStateTrue = -1;

struct FrameSearch {
  HostKind kind;
  DWORD processId;
  bool includeHidden;
  std::vector<HWND> found;
};

BOOL CALLBACK collectFrame(HWND hwnd, LPARAM arg) {
  auto* search = reinterpret_cast<FrameSearch*>(arg);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (search->processId && pid != search->processId) return TRUE;
  wchar_t cls[64];
  if (!GetClassNameW(hwnd, cls, 64) || !isFrameClass(search->kind, cls)) return TRUE;
  if (search->includeHidden || IsWindowVisible(hwnd)) search->found.push_back(hwnd);
  return TRUE;
}

DWORD processOfWindow(HWND hwnd) {
  DWORD pid = 0;
  if (hwnd) GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

std::optional<DWORD> readDword(HKEY root, const std::wstring& path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD value = 0, size = sizeof value, type = 0;
  LONG rc = RegQueryValueExW(key, L"LoadBehavior", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || type != REG_DWORD) return DWORD{0};
  return value;
}
}  // namespace

HostSpec HostSpec::of(HostKind kind, const Options& options) {
  if (kind == HostKind::Sheet)
    return HostSpec{kind, options.sheetProgId, L"quorvanesheet.Connect", "spreadsheet host", L"Excel"};
  return HostSpec{kind, options.slideProgId, L"quorvaneslide.Connect", "presentation host", L"PowerPoint"};
}

bool isFrameClass(HostKind kind, const std::wstring& cls) {
  if (kind == HostKind::Sheet) return cls == L"XLMAIN";
  if (cls == L"PPTFrameClass") return true;
  // PP<major>FrameClass of the older versions.
  const std::wstring head = L"PP", tail = L"FrameClass";
  if (cls.size() <= head.size() + tail.size() || cls.compare(0, head.size(), head) != 0 ||
      cls.compare(cls.size() - tail.size(), tail.size(), tail) != 0)
    return false;
  for (size_t i = head.size(); i < cls.size() - tail.size(); ++i)
    if (!std::iswdigit(cls[i])) return false;
  return true;
}

std::vector<HWND> hostFrames(HostKind kind, DWORD processId, bool includeHidden) {
  FrameSearch search{kind, processId, includeHidden, {}};
  EnumWindows(collectFrame, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The user's registration first, as the hosts read it; the machine's in
// both registry views, since the host's bitness need not be ours.
bool restoreLoadBehavior(const std::wstring& officeKey, const std::wstring& progId, const AddinRegistration& was) {
  HKEY root = was.where == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  REGSAM view = was.where == "HKCU" ? 0 : was.where == "HKLM" ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  std::wstring path = L"Software\\Microsoft\\Office\\" + officeKey + L"\\Addins\\" + progId;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE | view, &key) != ERROR_SUCCESS) return false;
  DWORD value = was.loadBehavior;
  LONG rc = RegSetValueExW(key, L"LoadBehavior", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

std::optional<AddinRegistration> findAddinRegistration(const std::wstring& officeKey, const std::wstring& progId) {
  std::wstring path = L"Software\\Microsoft\\Office\\" + officeKey + L"\\Addins\\" + progId;
  if (auto v = readDword(HKEY_CURRENT_USER, path, 0)) return AddinRegistration{*v, "HKCU"};
  if (auto v = readDword(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY)) return AddinRegistration{*v, "HKLM"};
  if (auto v = readDword(HKEY_LOCAL_MACHINE, path, KEY_WOW64_32KEY)) return AddinRegistration{*v, "HKLM (32-bit)"};
  return std::nullopt;
}

HostSession::~HostSession() {
  shutdown();
  if (process_) CloseHandle(process_);
}

std::string HostSession::launch() {
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(spec_.progId.c_str(), &clsid);
  if (FAILED(hr))
    return "the " + spec_.title + " is not installed (no automation class " + narrow(spec_.progId) + ": " +
           describeHresult(hr) + ")";
  std::vector<HWND> before = hostFrames(spec_.kind, 0, true);
  if (!spec_.sheet()) {
    // One instance per user: starting it would hand us the user's own.
    ComPtr<IUnknown> running;
    bool inTable = SUCCEEDED(GetActiveObject(clsid, nullptr, running.GetAddressOf())) && running;
    if (inTable || !before.empty())
      return "the presentation host is running: close the presentation host first (it runs one instance per user, "
             "and brelm-check must not touch your presentations)";
  }
  for (HWND w : before) hadFrames_.push_back(processOfWindow(w));
  asked_ = true;
  ComPtr<IDispatch> app;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(app.GetAddressOf()));
  if (FAILED(hr)) return "the " + spec_.title + " did not start: " + describeHresult(hr);
  app_ = Obj(app, "Application");
  try {
    HWND main = nullptr;
    if (spec_.sheet()) {
      main = reinterpret_cast<HWND>(static_cast<LONG_PTR>(app_.number(L"Hwnd")));
    } else {
      Variant v;
      std::vector<Variant> noArgs;
      if (SUCCEEDED(app_.invoke(L"HWND", DISPATCH_PROPERTYGET, noArgs, v)) &&
          SUCCEEDED(VariantChangeType(&v.get(), &v.get(), 0, VT_I4)))
        main = reinterpret_cast<HWND>(static_cast<LONG_PTR>(v.get().lVal));
    }
    processId_ = processOfWindow(main);
    // Hosts without a window handle in their object model (the
    // presentation host before 15), or none yet: the one process with
    // frames of the class that had none before we asked (a spreadsheet host
    // of the user's may be running). The automation server may answer
    // before its frame is made: it is given a moment.
    for (DWORD waited = 0; !processId_ && waited <= kFrameWaitMs; waited += 100) {
      std::vector<DWORD> fresh = processesWithNewFrames();
      if (fresh.size() == 1) processId_ = fresh.front();
      else if (fresh.size() > 1) break;
      else Sleep(100);
    }
    if (!processId_) return "could not find the " + spec_.title + "'s process";
    process_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId_);
    bool existed = false;
    for (HWND w : before) existed = existed || processOfWindow(w) == processId_;
    new_ = !existed;
    // An instance with documents open, or one whose frames were there
    // before we asked, is the user's: touch nothing and leave it running.
    long count = documents().number(L"Count");
    if (existed || count > 0) {
      new_ = false;
      app_ = Obj();
      return "the " + spec_.title + " that answered was already running with the user's documents; nothing was touched";
    }
    started_ = true;
    if (spec_.sheet()) {
      app_.put(L"Visible", argBool(true));
      app_.put(L"DisplayAlerts", argBool(false));
    } else {
      app_.put(L"Visible", arg(kTriStateTrue));
      app_.put(L"DisplayAlerts", arg(kSlideAlertsNone));
    }
  } catch (const AutomationError& e) {
    return std::string("the ") + spec_.title + " started but does not answer as expected: " + e.what();
  }
  return "";
}

Obj HostSession::documents() const { return app_.object(spec_.sheet() ? L"Workbooks" : L"Presentations"); }

Obj HostSession::newDocument() const {
  Obj docs = documents();
  if (spec_.sheet()) return docs.callObject(L"Add");
  std::vector<Variant> withWindow;
  withWindow.push_back(arg(kTriStateTrue));
  return docs.callObject(L"Add", std::move(withWindow));
}

HWND HostSession::activeFrame() const {
  HWND frame = nullptr;
  Variant v;
  std::vector<Variant> noArgs;
  if (SUCCEEDED(app_.invoke(spec_.sheet() ? L"Hwnd" : L"HWND", DISPATCH_PROPERTYGET, noArgs, v)) &&
      SUCCEEDED(VariantChangeType(&v.get(), &v.get(), 0, VT_I4)))
    frame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(v.get().lVal));
  if (frame && IsWindow(frame)) return frame;
  // Without Application.HWND: the host's frame nearest the front.
  std::vector<HWND> frames = hostFrames(spec_.kind, processId_);
  return frames.empty() ? nullptr : frames.front();
}

void HostSession::shutdown() {
  if (done_.exchange(true)) return;
  if (app_ && started_) {
    // Our own documents, closed without saving. The presentation host's are
    // only marked saved and go with Quit: closing them one by one through
    // the object model is, to its add-in, the user closing the host.
    try {
      Obj docs = documents();
      for (long n = docs.number(L"Count"); n >= 1; --n) {
        std::vector<Variant> index;
        index.push_back(arg(n));
        Obj doc = docs.object(L"Item", std::move(index));
        if (spec_.sheet()) {
          std::vector<Variant> dontSave;
          dontSave.push_back(argBool(false));
          doc.call(L"Close", std::move(dontSave));
        } else {
          doc.put(L"Saved", arg(kTriStateTrue));
        }
      }
    } catch (const AutomationError& e) {
      std::fprintf(stderr, "brelm-check: closing the documents: %s\n", e.what());
    }
    try {
      app_.call(L"Quit");
    } catch (const AutomationError& e) {
      std::fprintf(stderr, "brelm-check: Quit: %s\n", e.what());
    }
  }
  app_ = Obj();  // the host ends once nobody holds it
  CoFreeUnusedLibraries();
  if (process_ && started_ && WaitForSingleObject(process_, kQuitWaitMs) == WAIT_TIMEOUT) {
    std::fprintf(stderr, "brelm-check: the host did not end after Quit; ending it\n");
    TerminateProcess(process_, 1);
  }
}

std::vector<DWORD> HostSession::processesWithNewFrames() const {
  std::vector<DWORD> fresh;
  for (HWND w : hostFrames(spec_.kind, 0, true)) {
    DWORD pid = processOfWindow(w);
    if (pid && std::find(hadFrames_.begin(), hadFrames_.end(), pid) == hadFrames_.end() &&
        std::find(fresh.begin(), fresh.end(), pid) == fresh.end())
      fresh.push_back(pid);
  }
  return fresh;
}

bool HostSession::abandon() {
  HANDLE process = process_;
  if (process && !(started_ || new_)) return false;
  bool own = false;
  if (!process && asked_ && !spec_.sheet()) {
    // Stopped answering before it could be told from another: the
    // presentation host runs one instance per user and none ran when we
    // asked for ours, so the one process with its frames now is ours. (A
    // spreadsheet host the user started meanwhile would be another
    // process: that one is left alone.)
    std::vector<DWORD> fresh = processesWithNewFrames();
    if (fresh.size() == 1)
      process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, fresh.front()), own = true;
  }
  if (!process) return false;
  TerminateProcess(process, 1);
  // Gone before its documents' folder is removed.
  WaitForSingleObject(process, kEndedWaitMs);
  if (own) CloseHandle(process);
  return true;
}

}  // namespace brelmcheck
