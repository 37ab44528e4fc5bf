#pragma once
// The strip's accessible object (answer to WM_GETOBJECT for OBJID_CLIENT).
#include <windows.h>
#include <oleacc.h>

#include <vector>

#include "com/ref_count.h"
#include "ui/accessible_model.h"

namespace brelm::win32 {

// {618736E0-3C3D-11CF-810C-00AA00389B71}. Defined here: the cross
// compiler's import library for oleacc carries IID_IAccessible as a code
// thunk, so its address is not the interface id.
constexpr IID kIID_IAccessible = {0x618736E0, 0x3C3D, 0x11CF,
                                  {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// What the accessible object asks of the strip window.
class AccessibleSource {
 public:
  virtual ~AccessibleSource() = default;
  virtual HWND accessibleWindow() const = 0;
  virtual std::vector<AccessibleItem> accessibleItems() const = 0;
  // Carries out a default action later, from the window's message loop.
  virtual void queueDefaultAction(const AccessibleItem& item) = 0;
};

class StripAccessible final : public IAccessible {
 public:
  explicit StripAccessible(AccessibleSource* source) : source_(source) {}
  // The window is going away; every later call answers "disconnected".
  void detach() noexcept { source_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) noexcept override;
  BRELM_IUNKNOWN_REFCOUNT

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID riid, LCID, WORD, DISPPARAMS*, VARIANT*,
                                   EXCEPINFO*, UINT*) noexcept override;

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) noexcept override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) noexcept override;
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* cx, long* cy,
                                        VARIANT child) noexcept override;
  HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) noexcept override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) noexcept override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) noexcept override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) noexcept override;

 private:
  ~StripAccessible() = default;
  // The item for a child id; `self` for CHILDID_SELF. May throw.
  HRESULT lookup(const VARIANT& child, bool& self, AccessibleItem& item) const;
  RECT toScreen(RECT r) const;

  RefCount refs_;
  AccessibleSource* source_;
};

}  // namespace brelm::win32
