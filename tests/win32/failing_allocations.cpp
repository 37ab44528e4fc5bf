#include "failing_allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace brelm::win32::test {

std::atomic<bool> g_failing{false};
std::atomic<int> g_refused{0};

void FailingAllocations::arm() {
  g_refused = 0;
  g_failing = true;
}
void FailingAllocations::disarm() { g_failing = false; }
int FailingAllocations::refused() { return g_refused; }

}  // namespace brelm::win32::test

// The program's allocation functions, replaced; the other forms of new and
// delete the runtime has are built on these.
void* operator new(std::size_t size) {
  if (brelm::win32::test::g_failing.load(std::memory_order_relaxed)) {
    ++brelm::win32::test::g_refused;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
