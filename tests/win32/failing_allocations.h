#pragma once
// Makes every allocation of this program's own code fail with std::bad_alloc
// while armed: for proving that nothing thrown for want of memory crosses
// into the host or the system. The system's libraries allocate as before.
namespace brelm::win32::test {

class FailingAllocations {
 public:
  FailingAllocations() { arm(); }
  ~FailingAllocations() { disarm(); }
  FailingAllocations(const FailingAllocations&) = delete;
  FailingAllocations& operator=(const FailingAllocations&) = delete;

  // Also from inside a fake host's member, to fail what its caller does next.
  static void arm();
  static void disarm();
  // Allocations refused since the last arm().
  static int refused();
};

}  // namespace brelm::win32::test
