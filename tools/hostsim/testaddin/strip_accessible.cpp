// The strip's accessible object, with the children contract of the real
// strip: tabs 1..n, close boxes n+1..2n, arrows 2n+1 and 2n+2 (this strip
// never scrolls, so its arrows are always invisible).
#include <oleacc.h>

#include <atomic>
#include <string>

#include "common/small_dispatch.h"
#include "server.h"
#include "strip.h"

namespace testaddin {

namespace {
// liboleacc.a resolves IID_IAccessible to an import thunk, not the GUID, so
// the interface identifier is spelled out here.
constexpr IID kIID_IAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
class StripAccessible final : public hostsim::SmallDispatch<IAccessible> {
 public:
  explicit StripAccessible(HWND hwnd) : SmallDispatch(kIID_IAccessible), hwnd_(hwnd) { ++g_objects; }
  ~StripAccessible() { --g_objects; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override { return out ? (*out = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* out) override {
    Strip* s = strip();
    if (!out || !s) return E_FAIL;
    *out = 2 * static_cast<long>(s->tabs().size()) + 2;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** out) override { return out ? (*out = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    Strip* s = strip();
    if (!out || !s) return E_FAIL;
    long n = static_cast<long>(s->tabs().size()), id = child.lVal;
    std::wstring name;
    if (id >= 1 && id <= n) name = s->tabs()[static_cast<size_t>(id - 1)].caption;
    else if (id > n && id <= 2 * n) name = L"Close " + s->tabs()[static_cast<size_t>(id - n - 1)].caption;
    else if (id == 2 * n + 1) name = L"Scroll left";
    else if (id == 2 * n + 2) name = L"Scroll right";
    *out = SysAllocString(name.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* out) override { return out ? (*out = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { return out ? (*out = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    Strip* s = strip();
    if (!out || !s) return E_FAIL;
    long n = static_cast<long>(s->tabs().size());
    out->vt = VT_I4;
    out->lVal = child.lVal == CHILDID_SELF ? ROLE_SYSTEM_PAGETABLIST
                : child.lVal <= n          ? ROLE_SYSTEM_PAGETAB
                                           : ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    Strip* s = strip();
    if (!out || !s) return E_FAIL;
    long n = static_cast<long>(s->tabs().size()), id = child.lVal;
    out->vt = VT_I4;
    out->lVal = 0;
    if (id >= 1 && id <= n && id - 1 == s->selected()) out->lVal = STATE_SYSTEM_SELECTED;
    if (id > 2 * n) out->lVal = STATE_SYSTEM_INVISIBLE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return out ? (*out = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override { return out ? (*out = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override { return out ? (out->vt = VT_EMPTY, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override { return out ? (out->vt = VT_EMPTY, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* out) override { return out ? (*out = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(long* l, long* t, long* w, long* h, VARIANT child) override {
    Strip* s = strip();
    if (!l || !t || !w || !h || !s) return E_FAIL;
    long n = static_cast<long>(s->tabs().size()), id = child.lVal;
    RECT r{};
    if (id == CHILDID_SELF) GetClientRect(hwnd_, &r);
    else if (id <= n) r = s->tabs()[static_cast<size_t>(id - 1)].rect;
    else if (id <= 2 * n) r = s->tabs()[static_cast<size_t>(id - n - 1)].close;
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    *l = r.left, *t = r.top, *w = r.right - r.left, *h = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* out) override { return out ? (out->vt = VT_EMPTY, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT* out) override { return out ? (out->vt = VT_EMPTY, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  Strip* strip() const {
    return IsWindow(hwnd_) ? reinterpret_cast<Strip*>(GetWindowLongPtrW(hwnd_, GWLP_USERDATA)) : nullptr;
  }
  HWND hwnd_;
};
}  // namespace

LRESULT answerAccessibility(HWND hwnd, WPARAM wp, LPARAM lp) {
  if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT)) return DefWindowProcW(hwnd, WM_GETOBJECT, wp, lp);
  auto* acc = new (std::nothrow) StripAccessible(hwnd);
  if (!acc) return 0;
  LRESULT result = LresultFromObject(kIID_IAccessible, wp, acc);
  acc->Release();
  return result;
}

}  // namespace testaddin
