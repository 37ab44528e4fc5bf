#pragma once
// Outgoing event interfaces of host objects. A ConnectionPoint lives inside
// the object that raises the events and shares its reference count, so the
// object and its connection points never keep each other alive.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <utility>
#include <vector>

#include "common/call_log.h"
#include "common/com.h"

namespace hostsim {

class ConnectionPoint : public IConnectionPoint {
 public:
  ConnectionPoint(IUnknown& owner, IConnectionPointContainer& container, const IID& iid,
                  std::string name, CallLog& log)
      : owner_(owner), container_(container), iid_(iid), name_(std::move(name)), log_(log) {}
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

  const IID& iid() const { return iid_; }
  bool hasSinks() const { return !sinks_.empty(); }
  // The sinks now advised; a snapshot, so a handler may unadvise safely.
  std::vector<ComPtr<IDispatch>> sinks() const;
  // Calls one event on every sink; arguments in natural order.
  void fire(DISPID id, const std::string& eventName, std::vector<VARIANT>& args);
  void dropAll() { sinks_.clear(); }

 private:
  IUnknown& owner_;
  IConnectionPointContainer& container_;
  IID iid_;
  std::string name_;
  CallLog& log_;
  std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks_;
  DWORD nextCookie_ = 1;
};

// IConnectionPointContainer over a fixed set of connection points.
class ConnectionPoints : public IConnectionPointContainer {
 public:
  explicit ConnectionPoints(IUnknown& owner) : owner_(owner) {}
  ConnectionPoints(const ConnectionPoints&) = delete;
  ConnectionPoints& operator=(const ConnectionPoints&) = delete;

  void add(ConnectionPoint& point) { points_.push_back(&point); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

 private:
  IUnknown& owner_;
  std::vector<ConnectionPoint*> points_;
};

}  // namespace hostsim
