#pragma once
// A failing call into the host's object model. Every host operation that can
// fail throws this; the core decides per call site whether it ends the routine,
// removes a tab, or is ignored.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace brelm {

// HRESULTs the core tells apart. Values are the Windows ones so that the real
// port can pass them through unchanged.
namespace hresult {
constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005);
constexpr std::int32_t kUnknownName = static_cast<std::int32_t>(0x80020006);
constexpr std::int32_t kException = static_cast<std::int32_t>(0x80020009);
constexpr std::int32_t kInvalidIndex = static_cast<std::int32_t>(0x8002000B);
// The spreadsheet host refuses automation while a cell is being edited.
constexpr std::int32_t kHostBusy = static_cast<std::int32_t>(0x800AC472);
constexpr std::int32_t kCallRejected = static_cast<std::int32_t>(0x80010001);
constexpr std::int32_t kRetryLater = static_cast<std::int32_t>(0x8001010A);
constexpr std::int32_t kOutOfMemory = static_cast<std::int32_t>(0x8007000E);
constexpr std::int32_t kUnexpected = static_cast<std::int32_t>(0x8000FFFF);
}  // namespace hresult

class HostError : public std::runtime_error {
 public:
  HostError(std::int32_t hr, const std::string& message)
      : std::runtime_error(message), hr_(hr) {}

  std::int32_t hr() const noexcept { return hr_; }

  // The host could not take the call now but will later; nothing about the
  // object the call was made on can be concluded from it.
  bool busy() const noexcept {
    return hr_ == hresult::kHostBusy || hr_ == hresult::kCallRejected ||
           hr_ == hresult::kRetryLater;
  }

 private:
  std::int32_t hr_;
};

}  // namespace brelm
