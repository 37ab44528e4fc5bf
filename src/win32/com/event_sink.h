#pragma once
// Receiving events by connection points. A DispatchSink answers the host's
// Invoke for one event dispinterface, catching everything at the boundary;
// an Advise keeps one subscription and ends it when disconnected or destroyed.
#include <windows.h>
#include <ocidl.h>
#include "com/com_ptr.h"

#include "com/ref_count.h"

namespace brelm::win32 {

using Microsoft::WRL::ComPtr;

class DispatchSink : public IDispatch {
 public:
  // `owner`: the add-in object each event keeps alive while it is handled.
  explicit DispatchSink(const IID& events, IUnknown* owner = nullptr)
      : events_(events), owner_(owner) {}
  virtual ~DispatchSink() = default;
  DispatchSink(const DispatchSink&) = delete;
  DispatchSink& operator=(const DispatchSink&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) noexcept override;
  BRELM_IUNKNOWN_REFCOUNT
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argErr) noexcept override;

  const IID& events() const { return events_; }

 protected:
  // One event. Arguments are in DISPPARAMS order: the last argument first.
  // May throw; Invoke traces anything thrown and answers the host with
  // success, since there is nothing the host could do about it.
  virtual void onEvent(DISPID id, const DISPPARAMS& params) = 0;
  // The subscription ended: events that still arrive reach nobody, and keep
  // nothing alive.
  void forgetOwner() { owner_ = nullptr; }

 private:
  RefCount refs_;
  IID events_;
  IUnknown* owner_;
};

// One subscription of a sink to a source object's connection point.
class Advise {
 public:
  Advise() = default;
  ~Advise() { disconnect(); }
  Advise(const Advise&) = delete;
  Advise& operator=(const Advise&) = delete;

  // Subscribes `sink` to `source`'s events of sink->events(); the previous
  // subscription, if any, ends first.
  HRESULT connect(IUnknown* source, DispatchSink* sink);
  void disconnect() noexcept;
  bool connected() const { return point_ != nullptr; }

 private:
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

}  // namespace brelm::win32
