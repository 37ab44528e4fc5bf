#include "objects/application.h"

#include <array>

#include "common/text.h"
#include "host/host.h"
#include "objects/collections.h"
#include "objects/file_dialog.h"
#include "windows/host_windows.h"

namespace hostsim {

namespace {
// The presentation host's application events, and the spreadsheet host's
// (which it raises none of here, but the add-in may subscribe to them).
constexpr IID kSlideAppEvents = {0x914934C2, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};
constexpr IID kSheetAppEvents = {0x00024413, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

enum AppMember : DISPID {
  kVersion = 1, kWidth, kShowWindowsInTaskbar, kActiveWindow, kWindows, kCommandBars, kFileDialog,
  kHwnd = 10, kDisplayFormulaBar, kVisible, kWorkbooks,
  kActivate = 20, kQuit, kPresentations,
  kComAddIns = 30, kBuild, kDisplayAlerts, kName,
  kSlideHwnd = 2031,  // as the presentation host's 15.0 type library numbers it
};

constexpr std::array<Member, 16> kSheetApp{{
    {L"Version", kVersion, kGet},
    {L"Width", kWidth, kGet | kPut},
    {L"ShowWindowsInTaskbar", kShowWindowsInTaskbar, kGet | kPut},
    {L"ActiveWindow", kActiveWindow, kGet},
    {L"Windows", kWindows, kGet},
    {L"CommandBars", kCommandBars, kGet},
    {L"FileDialog", kFileDialog, kGet},
    {L"Hwnd", kHwnd, kGet},
    {L"DisplayFormulaBar", kDisplayFormulaBar, kGet | kPut},
    {L"Visible", kVisible, kGet | kPut},
    {L"Workbooks", kWorkbooks, kGet},
    {L"Quit", kQuit, kCall},
    {L"COMAddIns", kComAddIns, kGet},
    {L"Build", kBuild, kGet},
    {L"DisplayAlerts", kDisplayAlerts, kGet | kPut},
    {L"Name", kName, kGet},
}};

constexpr std::array<Member, 15> kSlideApp{{
    {L"Version", kVersion, kGet},
    {L"Width", kWidth, kGet | kPut},
    {L"ShowWindowsInTaskbar", kShowWindowsInTaskbar, kGet | kPut},
    {L"ActiveWindow", kActiveWindow, kGet},
    {L"Windows", kWindows, kGet},
    {L"CommandBars", kCommandBars, kGet},
    {L"FileDialog", kFileDialog, kGet},
    {L"Activate", kActivate, kCall},
    {L"Quit", kQuit, kCall},
    {L"Presentations", kPresentations, kGet},
    {L"Visible", kVisible, kGet | kPut},
    {L"COMAddIns", kComAddIns, kGet},
    {L"Build", kBuild, kGet},
    {L"DisplayAlerts", kDisplayAlerts, kGet | kPut},
    {L"Name", kName, kGet},
}};

// The presentation host from 15 on also has HWND.
constexpr std::array<Member, 16> kSlideApp15{{
    {L"Version", kVersion, kGet},
    {L"Width", kWidth, kGet | kPut},
    {L"ShowWindowsInTaskbar", kShowWindowsInTaskbar, kGet | kPut},
    {L"ActiveWindow", kActiveWindow, kGet},
    {L"Windows", kWindows, kGet},
    {L"CommandBars", kCommandBars, kGet},
    {L"FileDialog", kFileDialog, kGet},
    {L"Activate", kActivate, kCall},
    {L"Quit", kQuit, kCall},
    {L"Presentations", kPresentations, kGet},
    {L"Visible", kVisible, kGet | kPut},
    {L"COMAddIns", kComAddIns, kGet},
    {L"Build", kBuild, kGet},
    {L"DisplayAlerts", kDisplayAlerts, kGet | kPut},
    {L"Name", kName, kGet},
    {L"HWND", kSlideHwnd, kGet},
}};

// The spreadsheet host's answer to a member that failed for no stated reason.
constexpr HRESULT kObjectDefined = static_cast<HRESULT>(0x800A03EC);

enum EventId : DISPID {
  kPresentationClose = 2004, kPresentationOpen = 2006, kNewPresentation = 2007,
  kWindowActivate = 2009, kWindowDeactivate = 2010,
};
}  // namespace

ApplicationObj::ApplicationObj(Host& host)
    : DispatchObject(host.context(), "Application"),
      host_(host),
      events_(*this, container_, host.config().sheet() ? kSheetAppEvents : kSlideAppEvents,
              "Application.Events", host.log()) {
  container_.add(events_);
}

void* ApplicationObj::queryOther(REFIID iid) {
  if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(&container_);
  return nullptr;
}

std::span<const Member> ApplicationObj::members() const {
  if (host_.config().sheet()) return kSheetApp;
  if (host_.config().versionNumber() >= 15) return kSlideApp15;
  return kSlideApp;
}

void ApplicationObj::invoke(DISPID id, Access how, const Args& args, VARIANT* result) {
  if (id >= kHwnd && id < kActivate) return sheetMember(id, how, args, result);
  if (id == kSlideHwnd) return hwnd(result);
  if (id == kComAddIns) {
    if (args.size() > 0) return ComAddinsObj::itemOf(host_.context(), host_.addinRegistry(), args, 0, result);
    auto list = makeCom<ComAddinsObj>(host_.context(), host_.addinRegistry());
    return setObject(result, list.Get());
  }
  // The spreadsheet host answers a number, the presentation host text;
  // hostsim's build is its own.
  if (id == kBuild) return host_.config().sheet() ? setLong(result, 1) : setString(result, L"1");
  if (id == kName) return setString(result, host_.config().sheet() ? L"hostsim spreadsheet host" : L"hostsim presentation host");
  if (id == kDisplayAlerts) {
    if (how == kPut) displayAlerts_ = args.valueLong();
    else if (host_.config().sheet()) setBool(result, displayAlerts_ != 0);
    else setLong(result, displayAlerts_);
    return;
  }
  if (id == kActivate) return host_.tree().bringToFront(host_.active());
  if (id == kQuit) return host_.quit();
  if (id == kPresentations) {
    if (args.size() > 0) return DocumentsObj::itemOf(host_, args, 0, result);
    auto docs = makeCom<DocumentsObj>(host_);
    return setObject(result, docs.Get());
  }
  commonMember(id, how, args, result);
}

void ApplicationObj::sheetMember(DISPID id, Access how, const Args& args, VARIANT* result) {
  switch (id) {
    case kHwnd: return hwnd(result);
    case kDisplayFormulaBar:
      if (how == kPut) return host_.setFormulaBar(args.valueBool());
      return setBool(result, host_.formulaBar());
    case kVisible:
      if (how == kPut) return host_.setVisible(args.valueBool());
      return setBool(result, host_.visible());
    default: {  // Workbooks
      if (args.size() > 0) return DocumentsObj::itemOf(host_, args, 0, result);
      auto docs = makeCom<DocumentsObj>(host_);
      return setObject(result, docs.Get());
    }
  }
}

// The frame in front: the spreadsheet host's from version 15 the active
// window's (or the empty frame), the presentation host's the active
// window's frame (or the one frame). What it names while a Protected View
// window is in front is unknown; hostsim names that window.
// A host that has no frame yet answers 0.
void ApplicationObj::hwnd(VARIANT* result) {
  if (host_.hwndFails()) throw HostFault(kObjectDefined, "Application-defined or object-defined error");
  HWND front = host_.applicationHwnd();
  setLong(result, static_cast<long>(reinterpret_cast<LONG_PTR>(front)));
}

void ApplicationObj::commonMember(DISPID id, Access how, const Args& args, VARIANT* result) {
  switch (id) {
    case kVersion: return setString(result, host_.config().version);
    case kWidth:
      // Put: the frame sized as by the user, laid out again.
      if (how == kPut) return host_.tree().setWidthPx(static_cast<int>(args.valueDouble() * host_.dpi() / 72.0 + 0.5));
      return setDouble(result, host_.widthPoints());
    case kShowWindowsInTaskbar:
      if (how == kPut) showWindowsInTaskbar_ = args.valueBool();
      else setBool(result, showWindowsInTaskbar_);
      return;
    case kActiveWindow:
      if (!host_.active())
        throw HostFault(static_cast<HRESULT>(0x80048240),
                        "ActiveWindow : Invalid request.  There is no currently active document window.");
      return setObject(result, host_.active());
    case kWindows: {
      auto windows = makeCom<WindowsObj>(host_, nullptr);
      if (args.size() > 0) {
        std::vector<WindowObj*> list;
        for (const auto& w : host_.windows()) list.push_back(w.Get());
        return WindowsObj::itemOf(list, args, 0, result);
      }
      return setObject(result, windows.Get());
    }
    case kCommandBars:
      if (args.size() > 0) {
        // CommandBars("name") reaches the collection's default member.
        DISPPARAMS params{const_cast<VARIANT*>(&args.raw(0)), nullptr, 1, 0};
        HRESULT hr = host_.commandBars().Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &params,
                                                result, nullptr, nullptr);
        if (FAILED(hr)) throw HostFault(hr, "Invalid procedure call or argument");
        return;
      }
      return setObject(result, &host_.commandBars());
    case kFileDialog: {
      auto dialog = makeCom<FileDialogObj>(host_, args.toLong(0));
      return setObject(result, dialog.Get());
    }
  }
}

void ApplicationObj::raise(DISPID id, const char* name, DocumentObj& doc, WindowObj* window) {
  if (host_.config().sheet()) return;
  std::vector<VARIANT> args(window ? 2 : 1);
  for (VARIANT& v : args) VariantInit(&v);
  args[0].vt = VT_DISPATCH;
  args[0].pdispVal = &doc;
  std::string text = std::string(name) + "(" + doc.describe();
  if (window) {
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = window;
    text += ", " + window->describe();
  }
  ComPtr<DocumentObj> keepDoc(&doc);
  ComPtr<WindowObj> keepWindow(window);
  events_.fire(id, text + ")", args);
}

void ApplicationObj::raiseWindowActivate(DocumentObj& d, WindowObj& w) { raise(kWindowActivate, "WindowActivate", d, &w); }
void ApplicationObj::raiseWindowDeactivate(DocumentObj& d, WindowObj& w) { raise(kWindowDeactivate, "WindowDeactivate", d, &w); }
void ApplicationObj::raisePresentationClose(DocumentObj& d) { raise(kPresentationClose, "PresentationClose", d, nullptr); }
void ApplicationObj::raisePresentationOpen(DocumentObj& d) { raise(kPresentationOpen, "PresentationOpen", d, nullptr); }
void ApplicationObj::raiseNewPresentation(DocumentObj& d) { raise(kNewPresentation, "NewPresentation", d, nullptr); }

}  // namespace hostsim
