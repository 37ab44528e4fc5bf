#include "objects/doc_objects.h"

#include <array>

#include "common/text.h"
#include "host/host.h"
#include "objects/collections.h"
#include "windows/host_windows.h"

namespace hostsim {

namespace {
// What the hosts answer when a released window or document is used.
constexpr HRESULT kDisconnected = static_cast<HRESULT>(0x80010108);

enum WindowMember : DISPID {
  kCaption = 1, kParent, kActivate, kClose, kWindowState, kTop, kLeft, kWidth, kHeight, kHwnd, kVisible,
};

constexpr std::array<Member, 5> kSheetWindow{{
    {L"Caption", kCaption, kGet | kPut},
    {L"Parent", kParent, kGet},
    {L"Activate", kActivate, kCall},
    {L"Close", kClose, kCall},
    {L"Visible", kVisible, kGet | kPut},
}};
// Window.Hwnd is documented for current versions without saying since when;
// hostsim offers it from version 15 on, where each window has a frame of its
// own.
constexpr std::array<Member, 6> kSheetWindowWithHwnd{{
    {L"Caption", kCaption, kGet | kPut},
    {L"Parent", kParent, kGet},
    {L"Activate", kActivate, kCall},
    {L"Close", kClose, kCall},
    {L"Visible", kVisible, kGet | kPut},
    {L"Hwnd", kHwnd, kGet},
}};
constexpr std::array<Member, 9> kSlideWindow{{
    {L"Caption", kCaption, kGet},
    {L"Parent", kParent, kGet},
    {L"Activate", kActivate, kCall},
    {L"Close", kClose, kCall},
    {L"WindowState", kWindowState, kGet | kPut},
    {L"Top", kTop, kGet | kPut},
    {L"Left", kLeft, kGet | kPut},
    {L"Width", kWidth, kGet | kPut},
    {L"Height", kHeight, kGet | kPut},
}};

enum DocumentMember : DISPID {
  kName = 1, kPath, kSaved, kSave, kDocActivate, kWindows, kDocClose, kSaveAs, kFullName, kNewWindow
};

constexpr std::array<Member, 10> kWorkbook{{
    {L"Name", kName, kGet},
    {L"Path", kPath, kGet},
    {L"FullName", kFullName, kGet},
    {L"Saved", kSaved, kGet | kPut},
    {L"Save", kSave, kCall},
    {L"Activate", kDocActivate, kCall},
    {L"Windows", kWindows, kGet},
    {L"Close", kDocClose, kCall},
    {L"SaveAs", kSaveAs, kCall},
    {L"NewWindow", kNewWindow, kCall},
}};
constexpr std::array<Member, 9> kPresentation{{
    {L"Name", kName, kGet},
    {L"Path", kPath, kGet},
    {L"FullName", kFullName, kGet},
    {L"Saved", kSaved, kGet | kPut},
    {L"Save", kSave, kCall},
    {L"Windows", kWindows, kGet},
    {L"Close", kDocClose, kCall},
    {L"SaveAs", kSaveAs, kCall},
    {L"NewWindow", kNewWindow, kCall},
}};
}  // namespace

WindowObj::WindowObj(Host& host, DocumentObj& document, std::wstring caption)
    : DispatchObject(host.context(), "Window"), host_(host), document_(&document), caption_(std::move(caption)) {}

std::string WindowObj::describe() const {
  return std::string(closed_ ? "ClosedWindow[\"" : "Window[\"") + narrow(caption_) + "\"]";
}

void WindowObj::markClosed() {
  closed_ = true;
  document_.Reset();
  view = frame = nullptr;
}

std::span<const Member> WindowObj::members() const {
  if (!host_.config().sheet()) return kSlideWindow;
  if (host_.config().framePerDocument()) return kSheetWindowWithHwnd;
  return kSheetWindow;
}

void WindowObj::checkOpen() const {
  if (closed_) throw HostFault(kDisconnected, "The object invoked has disconnected from its clients.");
}

void WindowObj::invoke(DISPID id, Access how, const Args& args, VARIANT* result) {
  checkOpen();
  switch (id) {
    case kCaption:
      if (how == kPut) return host_.rename(*this, args.valueString());
      return setString(result, caption_);
    case kParent: return setObject(result, document_.Get());
    case kActivate: return host_.activate(*this);
    case kClose: {
      bool closed = true;
      if (args.has(0)) {
        if (args.toBool(0)) document_->save();
        closed = host_.closeWindow(*this, false);
      } else {
        closed = host_.closeWindow(*this, host_.config().sheet());
      }
      if (host_.config().sheet()) setBool(result, closed);
      return;
    }
    case kWindowState:
      if (how == kPut) return host_.tree().setState(*this, static_cast<int>(args.valueLong()));
      return setLong(result, state);
    case kVisible:
      if (how == kPut) return host_.setWindowVisible(*this, args.valueBool(), false);
      return setBool(result, visible);
    case kHwnd:
      return setLong(result, static_cast<long>(reinterpret_cast<LONG_PTR>(host_.tree().frameOf(*this))));
    default:
      if (how == kPut) return setGeometry(id, args.valueDouble());
      return setDouble(result, geometry(id));
  }
}

double WindowObj::geometry(DISPID id) const {
  RECT r = host_.tree().placement(*this);
  double toPoints = 72.0 / host_.tree().frameDpi(host_.tree().frameOf(*this));
  switch (id) {
    case kTop: return r.top * toPoints;
    case kLeft: return r.left * toPoints;
    case kWidth: return (r.right - r.left) * toPoints;
    default: return (r.bottom - r.top) * toPoints;
  }
}

void WindowObj::setGeometry(DISPID id, double points) {
  RECT r = host_.tree().placement(*this);
  int px = static_cast<int>(points * host_.tree().frameDpi(host_.tree().frameOf(*this)) / 72.0 + 0.5);
  int w = r.right - r.left, h = r.bottom - r.top;
  switch (id) {
    case kTop: r.top = px, r.bottom = px + h; break;
    case kLeft: r.left = px, r.right = px + w; break;
    case kWidth: r.right = r.left + px; break;
    default: r.bottom = r.top + px; break;
  }
  host_.tree().place(*this, r);
}

DocumentObj::DocumentObj(Host& host, std::wstring name, std::wstring path)
    : DispatchObject(host.context(), "Document"), host_(host), name_(std::move(name)), path_(std::move(path)) {}

std::string DocumentObj::describe() const {
  const char* kind = host_.config().sheet() ? "Workbook" : "Presentation";
  return std::string(closed_ ? "Closed" : "") + kind + "[\"" + narrow(name_) + "\"]";
}

std::span<const Member> DocumentObj::members() const {
  if (host_.config().sheet()) return kWorkbook;
  return kPresentation;
}

void DocumentObj::checkOpen() const {
  if (closed_) throw HostFault(kDisconnected, "The object invoked has disconnected from its clients.");
}

std::vector<WindowObj*> DocumentObj::windows() const {
  std::vector<WindowObj*> out;
  for (const auto& w : host_.windows())
    if (w->document() == this) out.push_back(w.Get());
  return out;
}

void DocumentObj::saveAs(const std::wstring& name, const std::wstring& path) {
  std::wstring old = name_;
  name_ = name;
  path_ = path;
  saved_ = true;
  ++saveCount;
  for (WindowObj* w : windows()) {
    std::wstring caption = w->caption();
    if (caption.compare(0, old.size(), old) == 0) host_.rename(*w, name + caption.substr(old.size()));
  }
}

std::wstring DocumentObj::fullName() const {
  if (path_.empty()) return name_;
  return path_ + L"\\" + name_;
}

// The file is written, empty: enough for Open to find it again.
void DocumentObj::saveAsFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw HostFault(static_cast<HRESULT>(0x800A03EC), "The file could not be saved");
  CloseHandle(file);
  size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return saveAs(path, L".");
  saveAs(path.substr(slash + 1), path.substr(0, slash));
}

void DocumentObj::save() {
  if (path_.empty()) path_ = L"C:\\users\\Public\\Documents";
  saved_ = true;
  ++saveCount;
}

void DocumentObj::invoke(DISPID id, Access how, const Args& args, VARIANT* result) {
  checkOpen();
  switch (id) {
    case kName: return setString(result, name_);
    case kPath: return setString(result, path_);
    case kFullName: return setString(result, fullName());
    case kSaved:
      if (how == kPut) saved_ = args.valueBool();
      else setBool(result, saved_);
      return;
    case kSave: return save();
    case kDocActivate: {
      // The workbook's most recent window that can be shown.
      for (WindowObj* w : windows())
        if (w->visible) return host_.activate(*w);
      return;
    }
    case kDocClose: {
      // Workbook.Close(SaveChanges): told, nothing is asked; the
      // presentation host never asks here.
      bool told = host_.config().sheet() && args.has(0);
      if (told && args.toBool(0)) save();
      std::vector<ComPtr<WindowObj>> open;
      for (WindowObj* w : windows()) open.emplace_back(w);
      for (auto& w : open)
        if (!w->closed() && !host_.closeWindow(*w.Get(), host_.config().sheet() && !told)) return;
      return;
    }
    case kSaveAs: return saveAsFile(args.toString(0));
    case kNewWindow: {
      // Another window on the document, named as the hosts name it.
      std::vector<WindowObj*> own = windows();
      if (own.empty()) throw HostFault(static_cast<HRESULT>(0x800A03EC), "The document has no window");
      WindowObj& made = host_.newWindow(*own.front(), name_ + L":" + std::to_wstring(own.size() + 1));
      return setObject(result, &made);
    }
    case kWindows: {
      if (args.size() > 0) return WindowsObj::itemOf(windows(), args, 0, result);
      auto list = makeCom<WindowsObj>(host_, this);
      return setObject(result, list.Get());
    }
  }
}

}  // namespace hostsim
