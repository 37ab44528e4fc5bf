#pragma once
// A reference on the add-in object for the length of one dispatch into it
// (a message to the strip, a timer tick, a host event). Whatever runs in
// that dispatch may run the host's message loop (our prompt, the host's Save
// As dialog), and in it the host may disconnect the add-in and let go of it:
// the object, with the windows and sinks it owns and the core on the stack,
// then goes only once the dispatch is over.
#include <windows.h>
#include <unknwn.h>

namespace brelm::win32 {

class KeepAlive {
 public:
  explicit KeepAlive(IUnknown* owner) noexcept : owner_(owner) {
    if (owner_) owner_->AddRef();
  }
  // May destroy the owner, and with it whoever declared this: the last thing
  // a dispatch does.
  ~KeepAlive() {
    if (owner_) owner_->Release();
  }
  KeepAlive(const KeepAlive&) = delete;
  KeepAlive& operator=(const KeepAlive&) = delete;

 private:
  IUnknown* owner_;
};

}  // namespace brelm::win32
