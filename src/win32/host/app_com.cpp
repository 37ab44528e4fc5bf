// The two hosts' Application objects.
#include <windows.h>

#include "com/event_sink.h"
#include "host/com_host.h"
#include "host/command_bar_com.h"
#include "system/text.h"
#include "ui/dpi.h"

namespace brelm::win32 {

namespace {

// Members both hosts' Application objects have; `documents` names the
// collection of open documents (Workbooks or Presentations).
template <class Base>
class AppCom : public Base {
 public:
  AppCom(IDispatch* application, HostKind kind, const wchar_t* documents, IUnknown* owner)
      : app_(ComPtr<IDispatch>(application), std::make_shared<DispidCache>()),
        kind_(kind),
        documents_(documents),
        owner_(owner) {}

  std::string version() override { return narrow(app_.getString(L"Version")); }
  double width() override { return app_.getDouble(L"Width"); }
  std::shared_ptr<DocWindow> activeWindow() override {
    Variant active = app_.get(L"ActiveWindow");
    ComPtr<IDispatch> window;
    window = adopt(active.takeDispatch());
    if (!window) throw HostError(hresult::kFail, "ActiveWindow: no active window");
    return makeDocWindow(app_.wrap(window.Get()), kind_);
  }
  int windowCount() override {
    return static_cast<int>(app_.getObject(L"Windows").getLong(L"Count"));
  }
  std::shared_ptr<DocWindow> window(int index) override {
    return makeDocWindow(
        app_.getObject(L"Windows").getObject(L"Item", {Variant::fromInt(index)}), kind_);
  }
  void setShowWindowsInTaskbar(bool show) override {
    app_.put(L"ShowWindowsInTaskbar", Variant::fromBool(show));
  }
  bool showWindowsInTaskbar() override { return app_.getBool(L"ShowWindowsInTaskbar"); }
  int documentCount() override {
    return static_cast<int>(app_.getObject(documents_).getLong(L"Count"));
  }
  std::shared_ptr<Document> document(int index) override {
    return makeDocument(app_.getObject(documents_).getObject(L"Item", {Variant::fromInt(index)}),
                        kind_);
  }
  std::unique_ptr<CommandBar> commandBar(const std::string& name) override {
    return commandBarNamed(app_, name, owner_);
  }
  std::unique_ptr<CommandBar> addPopupBar(const std::string& name, bool temporary) override {
    return addPopupCommandBar(app_, name, temporary, owner_);
  }
  std::unique_ptr<FileDialog> saveAsDialog() override { return saveAsFileDialog(app_); }
  // Spreadsheet host: Hwnd; presentation host from 15 on: HWND (names are
  // found without regard to case).
  Hwnd hwnd() override {
    const Variant value = app_.get(L"Hwnd");
    // A 32-bit Long even in 64-bit hosts; window handles are sign-extended.
    if (value.type() == VT_I8 || value.type() == VT_UI8) {
      long long wide = 0;
      value.toLongLong(wide);
      return static_cast<Hwnd>(wide);
    }
    long narrowValue = 0;
    if (!value.toLong(narrowValue))
      throw HostError(static_cast<std::int32_t>(DISP_E_TYPEMISMATCH), "Hwnd: not a number");
    return static_cast<Hwnd>(static_cast<std::intptr_t>(static_cast<std::int32_t>(narrowValue)));
  }

 protected:
  DispatchObject app_;
  HostKind kind_;
  const wchar_t* documents_;
  IUnknown* owner_;
};

class SheetAppCom final : public AppCom<SheetApp> {
 public:
  SheetAppCom(IDispatch* application, IUnknown* owner)
      : AppCom(application, HostKind::Sheet, L"Workbooks", owner) {}

  bool displayFormulaBar() override { return app_.getBool(L"DisplayFormulaBar"); }
  void setDisplayFormulaBar(bool show) override {
    app_.put(L"DisplayFormulaBar", Variant::fromBool(show));
  }
  void setVisible(bool visible) override { app_.put(L"Visible", Variant::fromBool(visible)); }
};

// EApplication of the presentation host.
constexpr IID kSlideAppEvents = {0x914934C2, 0x5A91, 0x11CF,
                                 {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};
namespace dispid {
constexpr DISPID kPresentationClose = 2004;
constexpr DISPID kPresentationOpen = 2006;
constexpr DISPID kNewPresentation = 2007;
constexpr DISPID kWindowActivate = 2009;
constexpr DISPID kWindowDeactivate = 2010;
}  // namespace dispid

class SlideEventSink final : public DispatchSink {
 public:
  SlideEventSink(SlideAppEvents* target, std::shared_ptr<DispidCache> cache, IUnknown* owner)
      : DispatchSink(kSlideAppEvents, owner), target_(target), cache_(std::move(cache)) {}
  void detach() {
    target_ = nullptr;
    forgetOwner();
  }

 protected:
  void onEvent(DISPID id, const DISPPARAMS& params) override {
    if (!target_) return;
    const DpiScope dpi;
    switch (id) {
      case dispid::kPresentationClose: target_->onPresentationClose(); break;
      case dispid::kPresentationOpen: target_->onPresentationOpen(); break;
      case dispid::kNewPresentation: target_->onNewPresentation(); break;
      // WindowActivate(Pres, Wn): Wn is the last argument, so it comes first.
      case dispid::kWindowActivate:
        if (auto w = windowArg(params)) target_->onWindowActivate(w);
        break;
      case dispid::kWindowDeactivate:
        if (auto w = windowArg(params)) target_->onWindowDeactivate(w);
        break;
      default: break;
    }
  }

 private:
  std::shared_ptr<DocWindow> windowArg(const DISPPARAMS& params) const {
    if (params.cArgs < 2) return nullptr;
    Variant arg;
    if (FAILED(VariantCopyInd(arg.out(), &params.rgvarg[0]))) return nullptr;
    ComPtr<IDispatch> window;
    window = adopt(arg.toDispatch());
    if (!window) return nullptr;
    return makeDocWindow(DispatchObject(window, cache_), HostKind::Slide);
  }

  SlideAppEvents* target_;
  std::shared_ptr<DispidCache> cache_;
};

class SlideAppCom final : public AppCom<SlideApp> {
 public:
  SlideAppCom(IDispatch* application, IUnknown* owner)
      : AppCom(application, HostKind::Slide, L"Presentations", owner) {}
  ~SlideAppCom() override { subscribe(nullptr); }

  void activate() override { app_.call(L"Activate"); }
  void quit() override { app_.call(L"Quit"); }
  void subscribe(SlideAppEvents* target) override {
    advise_.disconnect();
    if (sink_) sink_->detach();
    sink_.Reset();
    if (!target) return;
    ComPtr<SlideEventSink> sink;
    sink = adopt(new SlideEventSink(target, app_.cache(), owner_));
    const HRESULT hr = advise_.connect(app_.raw(), sink.Get());
    if (FAILED(hr)) throw hostErrorFrom(hr, nullptr, L"Application events");
    sink_ = std::move(sink);
  }

 private:
  ComPtr<SlideEventSink> sink_;
  Advise advise_;
};

}  // namespace

std::shared_ptr<SheetApp> makeSheetApp(IDispatch* application, IUnknown* owner) {
  return std::make_shared<SheetAppCom>(application, owner);
}

std::shared_ptr<SlideApp> makeSlideApp(IDispatch* application, IUnknown* owner) {
  return std::make_shared<SlideAppCom>(application, owner);
}

}  // namespace brelm::win32
