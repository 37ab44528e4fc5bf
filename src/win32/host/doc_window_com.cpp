// Document windows and documents (workbooks, presentations).
#include <windows.h>

#include <typeinfo>

#include "host/com_host.h"
#include "system/text.h"

namespace brelm::win32 {

namespace {

class DocumentCom final : public Document {
 public:
  DocumentCom(DispatchObject doc, HostKind kind) : doc_(std::move(doc)), kind_(kind) {}
  std::string name() override { return narrow(doc_.getString(L"Name")); }
  std::string path() override { return narrow(doc_.getString(L"Path")); }
  std::string fullName() override { return narrow(doc_.getString(L"FullName")); }
  bool saved() override { return doc_.getBool(L"Saved"); }
  void save() override { doc_.call(L"Save"); }
  // A workbook activates itself; a presentation has no Activate of its own
  // and is brought forward through its first window.
  void activate() override {
    if (kind_ == HostKind::Sheet)
      doc_.call(L"Activate");
    else
      doc_.getObject(L"Windows").getObject(L"Item", {Variant::fromInt(1)}).call(L"Activate");
  }
  int windowCount() override {
    return static_cast<int>(doc_.getObject(L"Windows").getLong(L"Count"));
  }
  std::shared_ptr<DocWindow> window(int index) override;

 private:
  DispatchObject doc_;
  HostKind kind_;
};

class DocWindowCom final : public DocWindow {
 public:
  DocWindowCom(DispatchObject window, HostKind kind)
      : window_(std::move(window)), kind_(kind) {}

  std::string caption() override { return narrow(window_.getString(L"Caption")); }
  std::shared_ptr<Document> parent() override {
    return std::make_shared<DocumentCom>(window_.getObject(L"Parent"), kind_);
  }
  void activate() override { window_.call(L"Activate"); }
  void close() override { window_.call(L"Close"); }
  bool visible() override { return window_.getBool(L"Visible"); }
  int windowState() override { return static_cast<int>(window_.getLong(L"WindowState")); }
  void setWindowState(int state) override { window_.put(L"WindowState", Variant::fromInt(state)); }
  double top() override { return window_.getDouble(L"Top"); }
  double left() override { return window_.getDouble(L"Left"); }
  double width() override { return window_.getDouble(L"Width"); }
  double height() override { return window_.getDouble(L"Height"); }
  void setTop(double v) override { window_.put(L"Top", Variant::fromDouble(v)); }
  void setLeft(double v) override { window_.put(L"Left", Variant::fromDouble(v)); }
  void setWidth(double v) override { window_.put(L"Width", Variant::fromDouble(v)); }
  void setHeight(double v) override { window_.put(L"Height", Variant::fromDouble(v)); }

  // The host's identity of an object is its IUnknown. Compared with every
  // tab's window on every tick: each side asks for it once, and keeps it as
  // long as it keeps the window.
  bool sameObject(const DocWindow& other) const override {
    // The class is final: comparing types spares the runtime's cast search.
    if (typeid(other) != typeid(DocWindowCom)) return false;
    const auto* com = static_cast<const DocWindowCom*>(&other);
    if (window_.raw() == com->window_.raw()) return true;
    IUnknown* mine = identity();
    return mine && mine == com->identity();
  }

 private:
  IUnknown* identity() const {
    if (!identity_ && FAILED(window_.raw()->QueryInterface(IID_PPV_ARGS(&identity_)))) identity_.Reset();
    return identity_.Get();
  }

  DispatchObject window_;
  HostKind kind_;
  mutable ComPtr<IUnknown> identity_;
};

std::shared_ptr<DocWindow> DocumentCom::window(int index) {
  return std::make_shared<DocWindowCom>(
      doc_.getObject(L"Windows").getObject(L"Item", {Variant::fromInt(index)}), kind_);
}

}  // namespace

std::shared_ptr<Document> makeDocument(const DispatchObject& document, HostKind kind) {
  return std::make_shared<DocumentCom>(document, kind);
}

std::shared_ptr<DocWindow> makeDocWindow(const DispatchObject& window, HostKind kind) {
  return std::make_shared<DocWindowCom>(window, kind);
}

}  // namespace brelm::win32
