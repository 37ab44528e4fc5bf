// Command bars, their buttons and the Click event of a button; the file dialog.
#include <windows.h>

#include "com/event_sink.h"
#include "host/com_host.h"
#include "host/command_bar_com.h"
#include "system/text.h"
#include "ui/dpi.h"

namespace brelm::win32 {

namespace {

// _CommandBarButtonEvents
constexpr IID kButtonEvents = {0x000C0351, 0x0000, 0x0000,
                               {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kDispidClick = 1;
constexpr long kControlButton = 1;  // msoControlButton
constexpr long kPopupPosition = 5;  // msoBarPopup
constexpr long kSaveAsDialog = 2;   // msoFileDialogSaveAs

class ClickSink final : public DispatchSink {
 public:
  ClickSink(ButtonClickSink* target, std::shared_ptr<DispidCache> cache, IUnknown* owner)
      : DispatchSink(kButtonEvents, owner), target_(target), cache_(std::move(cache)) {}
  void detach() {
    target_ = nullptr;
    forgetOwner();
  }

 protected:
  // Click(Ctrl, CancelDefault): arguments arrive last first.
  void onEvent(DISPID id, const DISPPARAMS& params) override {
    if (id != kDispidClick || !target_ || params.cArgs < 2) return;
    const DpiScope dpi;
    Variant ctrl;
    if (FAILED(VariantCopyInd(ctrl.out(), &params.rgvarg[params.cArgs - 1]))) return;
    ComPtr<IDispatch> button;
    button = adopt(ctrl.toDispatch());
    if (!button) return;
    const DispatchObject control(button, cache_);
    const std::string parameter = narrow(control.getString(L"Parameter"));
    if (target_) target_->onButtonClick(parameter);
  }

 private:
  ButtonClickSink* target_;
  std::shared_ptr<DispidCache> cache_;
};

class CommandBarButtonCom final : public CommandBarButton {
 public:
  CommandBarButtonCom(DispatchObject button, IUnknown* owner)
      : button_(std::move(button)), owner_(owner) {}
  ~CommandBarButtonCom() override { unbindClick(); }

  void setFaceId(int id) override { button_.put(L"FaceId", Variant::fromInt(id)); }
  void setCaption(const std::string& t) override { putText(L"Caption", t); }
  void setTooltipText(const std::string& t) override { putText(L"TooltipText", t); }
  void setStyle(int style) override { button_.put(L"Style", Variant::fromInt(style)); }
  void setTag(const std::string& t) override { putText(L"Tag", t); }
  void setParameter(const std::string& t) override { putText(L"Parameter", t); }

  void bindClick(ButtonClickSink* sink) override {
    unbindClick();
    ComPtr<ClickSink> receiver;
    receiver = adopt(new ClickSink(sink, button_.cache(), owner_));
    const HRESULT hr = advise_.connect(button_.raw(), receiver.Get());
    if (FAILED(hr)) throw hostErrorFrom(hr, nullptr, L"Click");
    receiver_ = std::move(receiver);
  }

  void unbindClick() override {
    advise_.disconnect();
    if (receiver_) receiver_->detach();
    receiver_.Reset();
  }

 private:
  void putText(const wchar_t* name, const std::string& text) {
    button_.put(name, Variant::fromString(widen(text)));
  }

  DispatchObject button_;
  IUnknown* owner_;
  ComPtr<ClickSink> receiver_;
  Advise advise_;
};

class CommandBarCom final : public CommandBar {
 public:
  CommandBarCom(DispatchObject bar, IUnknown* owner) : bar_(std::move(bar)), owner_(owner) {}
  void deleteBar() override { bar_.call(L"Delete"); }
  void showPopup() override { bar_.call(L"ShowPopup"); }
  std::unique_ptr<CommandBarButton> addButton(std::optional<int> before) override {
    // Controls.Add(Type, Id, Parameter, Before, Temporary)
    DispatchObject button = bar_.getObject(L"Controls").callObject(
        L"Add", {Variant::fromInt(kControlButton), Variant::fromInt(1), Variant::missing(),
                 before ? Variant::fromInt(*before) : Variant::missing(), Variant::fromBool(true)});
    return std::make_unique<CommandBarButtonCom>(std::move(button), owner_);
  }

 private:
  DispatchObject bar_;
  IUnknown* owner_;
};

class FileDialogCom final : public FileDialog {
 public:
  explicit FileDialogCom(DispatchObject dialog) : dialog_(std::move(dialog)) {}
  void setInitialFileName(const std::string& name) override {
    dialog_.put(L"InitialFileName", Variant::fromString(widen(name)));
  }
  int show() override {
    long result = 0;
    if (!dialog_.call(L"Show").toLong(result)) result = 0;
    return static_cast<int>(result);
  }
  void execute() override { dialog_.call(L"Execute"); }

 private:
  DispatchObject dialog_;
};

}  // namespace

std::unique_ptr<CommandBar> commandBarNamed(const DispatchObject& app, const std::string& name,
                                            IUnknown* owner) {
  return std::make_unique<CommandBarCom>(
      app.getObject(L"CommandBars").getObject(L"Item", {Variant::fromString(widen(name))}), owner);
}

std::unique_ptr<CommandBar> addPopupCommandBar(const DispatchObject& app, const std::string& name,
                                               bool temporary, IUnknown* owner) {
  // CommandBars.Add(Name, Position, MenuBar, Temporary); the menu-bar option not given.
  return std::make_unique<CommandBarCom>(
      app.getObject(L"CommandBars")
          .callObject(L"Add", {Variant::fromString(widen(name)), Variant::fromInt(kPopupPosition),
                               Variant::missing(), Variant::fromBool(temporary)}),
      owner);
}

std::unique_ptr<FileDialog> saveAsFileDialog(const DispatchObject& app) {
  return std::make_unique<FileDialogCom>(
      app.getObject(L"FileDialog", {Variant::fromInt(kSaveAsDialog)}));
}

}  // namespace brelm::win32
