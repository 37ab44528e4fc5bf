// The soak and the resource checks rest on these counts: each GDI object and
// window the process makes must show, and go again when it is destroyed,
// whether the system answers GetGuiResources or the handle table is read.
#include <gtest/gtest.h>

#include <vector>

#include "script/window_query.h"

namespace hostsim::test {
namespace {

TEST(ResourceCounts, FollowTheProcesssGdiObjectsAndWindows) {
  const ResourceCounts before = resourceCounts();
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 10; ++i) brushes.push_back(CreateSolidBrush(RGB(i, 2, 3)));
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const ResourceCounts during = resourceCounts();
  EXPECT_EQ(during.gdi, before.gdi + 10);
  EXPECT_GT(during.user, before.user);

  for (HBRUSH b : brushes) DeleteObject(b);
  DestroyWindow(window);
  const ResourceCounts after = resourceCounts();
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
}

}  // namespace
}  // namespace hostsim::test
