#include "ui/accessible.h"

#include <string>

#include "com/boundary.h"

namespace brelm::win32 {

namespace {

HRESULT putString(BSTR* out, const wchar_t* text, size_t length) {
  *out = SysAllocStringLen(text, static_cast<UINT>(length));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT putString(BSTR* out, const std::wstring& text) {
  return putString(out, text.data(), text.size());
}

void putLong(VARIANT* out, long value) {
  V_VT(out) = VT_I4;
  V_I4(out) = value;
}

constexpr HRESULT kDisconnected = CO_E_OBJNOTCONNECTED;
constexpr wchar_t kStripName[] = L"Document tabs";

// Accessibility clients call at any time, while the strip's state changes
// and when memory is short: every method runs its body through this guard.
constexpr const char* kWhat = "accessibility call";

}  // namespace

HRESULT StripAccessible::QueryInterface(REFIID riid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kIID_IAccessible) {
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

HRESULT StripAccessible::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT StripAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT StripAccessible::GetIDsOfNames(REFIID riid, LPOLESTR*, UINT, LCID, DISPID*) noexcept {
  return riid != IID_NULL ? DISP_E_UNKNOWNINTERFACE : E_NOTIMPL;
}
HRESULT StripAccessible::Invoke(DISPID, REFIID riid, LCID, WORD, DISPPARAMS*, VARIANT*,
                                EXCEPINFO*, UINT*) noexcept {
  return riid != IID_NULL ? DISP_E_UNKNOWNINTERFACE : E_NOTIMPL;
}

HRESULT StripAccessible::lookup(const VARIANT& child, bool& self, AccessibleItem& item) const {
  if (!source_) return kDisconnected;
  if (V_VT(&child) != VT_I4) return E_INVALIDARG;
  const long id = V_I4(&child);
  self = id == CHILDID_SELF;
  if (self) return S_OK;
  const std::vector<AccessibleItem> items = source_->accessibleItems();
  if (id < 1 || id > static_cast<long>(items.size())) return E_INVALIDARG;
  item = items[static_cast<size_t>(id - 1)];
  return S_OK;
}

RECT StripAccessible::toScreen(RECT r) const {
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(source_->accessibleWindow(), nullptr, corners, 2);
  return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

HRESULT StripAccessible::get_accParent(IDispatch** parent) noexcept {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!source_) return kDisconnected;
  return AccessibleObjectFromWindow(source_->accessibleWindow(), static_cast<DWORD>(OBJID_WINDOW),
                                    IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT StripAccessible::get_accChildCount(long* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  if (!source_) return kDisconnected;
  return guardedCall(kWhat, [&] {
    *count = static_cast<long>(source_->accessibleItems().size());
    return S_OK;
  });
}

HRESULT StripAccessible::get_accChild(VARIANT child, IDispatch** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  return guardedCall(kWhat, [&] {
    bool self = false;
    AccessibleItem item;
    const HRESULT hr = lookup(child, self, item);
    // Children are simple elements, reached through this object.
    return FAILED(hr) ? hr : S_FALSE;
  });
}

HRESULT StripAccessible::get_accName(VARIANT child, BSTR* name) noexcept {
  if (!name) return E_POINTER;
  *name = nullptr;
  return guardedCall(kWhat, [&] {
    bool self = false;
    AccessibleItem item;
    const HRESULT hr = lookup(child, self, item);
    if (FAILED(hr)) return hr;
    return self ? putString(name, kStripName, std::size(kStripName) - 1) : putString(name, item.name);
  });
}

HRESULT StripAccessible::get_accValue(VARIANT child, BSTR* value) noexcept {
  if (!value) return E_POINTER;
  *value = nullptr;
  return guardedCall(kWhat, [&] {
    bool self = false;
    AccessibleItem item;
    const HRESULT hr = lookup(child, self, item);
    return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
  });
}

HRESULT StripAccessible::get_accDescription(VARIANT child, BSTR* text) noexcept {
  return get_accValue(child, text);
}
HRESULT StripAccessible::get_accHelp(VARIANT child, BSTR* help) noexcept {
  return get_accValue(child, help);
}
HRESULT StripAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* keys) noexcept {
  return get_accValue(child, keys);
}

HRESULT StripAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) noexcept {
  if (file) *file = nullptr;
  if (topic) *topic = 0;
  return source_ ? DISP_E_MEMBERNOTFOUND : kDisconnected;
}

HRESULT StripAccessible::get_accRole(VARIANT child, VARIANT* role) noexcept {
  if (!role) return E_POINTER;
  VariantInit(role);
  return guardedCall(kWhat, [&] {
    bool self = false;
    AccessibleItem item;
    const HRESULT hr = lookup(child, self, item);
    if (FAILED(hr)) return hr;
    putLong(role, self ? ROLE_SYSTEM_PAGETABLIST : item.role);
    return S_OK;
  });
}

HRESULT StripAccessible::get_accState(VARIANT child, VARIANT* state) noexcept {
  if (!state) return E_POINTER;
  VariantInit(state);
  return guardedCall(kWhat, [&] {
    bool self = false;
    AccessibleItem item;
    const HRESULT hr = lookup(child, self, item);
    if (FAILED(hr)) return hr;
    if (self) {
      const bool shown = IsWindowVisible(source_->accessibleWindow());
      putLong(state, shown ? 0 : STATE_SYSTEM_INVISIBLE);
    } else {
      putLong(state, item.state);
    }
    return S_OK;
  });
}

HRESULT StripAccessible::get_accFocus(VARIANT* child) noexcept {
  if (!child) return E_POINTER;
  VariantInit(child);
  return source_ ? S_FALSE : kDisconnected;
}

HRESULT StripAccessible::get_accSelection(VARIANT* children) noexcept {
  if (!children) return E_POINTER;
  VariantInit(children);
  if (!source_) return kDisconnected;
  return guardedCall(kWhat, [&] {
    const std::vector<AccessibleItem> items = source_->accessibleItems();
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].state & STATE_SYSTEM_SELECTED) {
        putLong(children, static_cast<long>(i + 1));
        return S_OK;
      }
    }
    return S_FALSE;
  });
}

HRESULT StripAccessible::get_accDefaultAction(VARIANT child, BSTR* action) noexcept {
  if (!action) return E_POINTER;
  *action = nullptr;
  return guardedCall(kWhat, [&] {
    bool self = false;
    AccessibleItem item;
    const HRESULT hr = lookup(child, self, item);
    if (FAILED(hr)) return hr;
    if (self) return DISP_E_MEMBERNOTFOUND;
    return item.role == ROLE_SYSTEM_PAGETAB ? putString(action, L"Switch", 6)
                                            : putString(action, L"Press", 5);
  });
}

HRESULT StripAccessible::accSelect(long, VARIANT) noexcept {
  return source_ ? E_NOTIMPL : kDisconnected;
}

HRESULT StripAccessible::accLocation(long* x, long* y, long* cx, long* cy, VARIANT child) noexcept {
  if (!x || !y || !cx || !cy) return E_POINTER;
  *x = *y = *cx = *cy = 0;
  return guardedCall(kWhat, [&] {
    bool self = false;
    AccessibleItem item;
    const HRESULT hr = lookup(child, self, item);
    if (FAILED(hr)) return hr;
    RECT r{};
    if (self)
      GetWindowRect(source_->accessibleWindow(), &r);
    else
      r = toScreen(item.rect);
    *x = r.left;
    *y = r.top;
    *cx = r.right - r.left;
    *cy = r.bottom - r.top;
    return S_OK;
  });
}

HRESULT StripAccessible::accNavigate(long, VARIANT, VARIANT* end) noexcept {
  if (end) VariantInit(end);
  return source_ ? E_NOTIMPL : kDisconnected;
}

HRESULT StripAccessible::accHitTest(long x, long y, VARIANT* child) noexcept {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!source_) return kDisconnected;
  return guardedCall(kWhat, [&] {
    const HWND window = source_->accessibleWindow();
    POINT p{x, y};
    ScreenToClient(window, &p);
    RECT client{};
    GetClientRect(window, &client);
    if (!PtInRect(&client, p)) return S_FALSE;
    const std::vector<AccessibleItem> items = source_->accessibleItems();
    // Arrows, then close images, then tabs: the order they are drawn on top.
    for (size_t i = items.size(); i-- > 0;) {
      if (items[i].state & STATE_SYSTEM_INVISIBLE) continue;
      if (PtInRect(&items[i].rect, p)) {
        putLong(child, static_cast<long>(i + 1));
        return S_OK;
      }
    }
    putLong(child, CHILDID_SELF);
    return S_OK;
  });
}

HRESULT StripAccessible::accDoDefaultAction(VARIANT child) noexcept {
  return guardedCall(kWhat, [&] {
    bool self = false;
    AccessibleItem item;
    const HRESULT hr = lookup(child, self, item);
    if (FAILED(hr)) return hr;
    if (self) return DISP_E_MEMBERNOTFOUND;
    source_->queueDefaultAction(item);
    return S_OK;
  });
}

HRESULT StripAccessible::put_accName(VARIANT, BSTR) noexcept { return E_NOTIMPL; }
HRESULT StripAccessible::put_accValue(VARIANT, BSTR) noexcept { return E_NOTIMPL; }

}  // namespace brelm::win32
