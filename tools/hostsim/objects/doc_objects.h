#pragma once
// Document windows and documents: Excel's Window and Workbook, PowerPoint's
// DocumentWindow and Presentation. The host keeps one object per window and
// per document for as long as it is open; a closed window keeps existing for
// whoever still holds it, but every member then fails.
#include <windows.h>

#include <string>
#include <vector>

#include "common/com.h"
#include "host/host_config.h"
#include "objects/dispatch_object.h"

namespace hostsim {

class Host;
class DocumentObj;

class WindowObj final : public DispatchObject {
 public:
  WindowObj(Host& host, DocumentObj& document, std::wstring caption);
  std::string describe() const override;

  const std::wstring& caption() const { return caption_; }
  void setCaption(std::wstring caption) { caption_ = std::move(caption); }
  DocumentObj* document() const { return document_.Get(); }
  bool closed() const { return closed_; }
  void markClosed();  // lets go of the document

  // The window's own Win32 windows (owned by the window tree).
  HWND view = nullptr;   // the document view
  HWND frame = nullptr;  // what Top/Left/Width/Height describe (presentation host)
  int state = 1;         // 1 normal, 2 minimised, 3 maximised
  RECT normalRect{};     // where the window goes back to from maximised
  bool visible = true;   // false: hidden (View > Hide), still listed in Windows
  bool closing = false;  // its closing events are being raised
  long activationSerial = 0;  // which window the host activates after a close

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  void checkOpen() const;
  double geometry(DISPID id) const;
  void setGeometry(DISPID id, double points);

  Host& host_;
  ComPtr<DocumentObj> document_;
  std::wstring caption_;
  bool closed_ = false;
};

class DocumentObj final : public DispatchObject {
 public:
  DocumentObj(Host& host, std::wstring name, std::wstring path);
  std::string describe() const override;

  const std::wstring& name() const { return name_; }
  void setName(std::wstring name) { name_ = std::move(name); }
  const std::wstring& path() const { return path_; }
  // The path and the name; the name alone until the document is first saved.
  std::wstring fullName() const;
  bool saved() const { return saved_; }
  void setSaved(bool saved) { saved_ = saved; }
  void save();
  void saveAs(const std::wstring& name, const std::wstring& path);
  void saveAsFile(const std::wstring& path);
  bool closed() const { return closed_; }
  void markClosed() { closed_ = true; }
  // Open windows on this document, in host order.
  std::vector<WindowObj*> windows() const;
  int saveCount = 0;

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  void checkOpen() const;
  Host& host_;
  std::wstring name_, path_;
  bool saved_ = true;
  bool closed_ = false;
};

}  // namespace hostsim
