// What `expect menu`, `menu`, and `expect tooltip` read off the screen: the
// text as the system draws it, from a real popup menu and a real tooltip.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/popup_reader.h"
#include "windows/modal_loop.h"

namespace hostsim::test {
namespace {

using Lines = std::vector<std::wstring>;

TEST(PopupReader, MenuTextLosesItsMnemonicAmpersandsAsDrawn) {
  const struct {
    const wchar_t* raw;
    const wchar_t* shown;
  } cases[] = {
      {L"Budget.xlsx", L"Budget.xlsx"},
      {L"R&&D.xlsx", L"R&D.xlsx"},       // doubled: one drawn
      {L"R&D.xlsx", L"RD.xlsx"},         // single: underlines the D, not drawn
      {L"&&&Open", L"&Open"},
      {L"Ends with &", L"Ends with "},
      {L"Save\tCtrl+S", L"Save Ctrl+S"},  // the shortcut after a tab
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(menuTextAsShown(c.raw), c.shown) << "raw: " << std::wstring(c.raw).size();
}

TEST(PopupReader, TooltipLinesBreakOnlyWhereTheControlBreaksThem) {
  const std::wstring text = L"C:\\Data\\R&D.xlsx\nunsaved changes";
  EXPECT_EQ(tooltipLinesAsShown(text, true, true), (Lines{L"C:\\Data\\R&D.xlsx", L"unsaved changes"}));
  EXPECT_EQ(tooltipLinesAsShown(L"a\r\nb", true, true), (Lines{L"a", L"b"}));
  EXPECT_EQ(tooltipLinesAsShown(text, false, true), (Lines{text})) << "no maximum width: one line";
  EXPECT_EQ(tooltipLinesAsShown(text, true, false), (Lines{L"C:\\Data\\RD.xlsx", L"unsaved changes"}))
      << "without TTS_NOPREFIX the ampersand is a prefix";
}

class OnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    registerClassOnce(L"HostSimPopupReaderTest", DefWindowProcW, nullptr);
    owner = CreateWindowExW(0, L"HostSimPopupReaderTest", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                            300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
  }
  void TearDown() override { DestroyWindow(owner); }
  HWND owner = nullptr;
};

// Read from inside the menu's own loop, as a script step is, then closed.
std::optional<ShownMenu> g_seen;
RECT g_menuWindow{};
void CALLBACK readAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_seen = shownMenu();
  if (g_seen) GetWindowRect(g_seen->window, &g_menuWindow);
  EndMenu();
}

TEST_F(OnScreen, APopupMenuIsReadWithItsCheckMarkAndWhereEachItemIs) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Alpha.xlsx");
  AppendMenuW(menu, MF_STRING | MF_CHECKED, 2, L"R&&D.xlsx");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, 3, L"Gamma.xlsx");
  EXPECT_FALSE(shownMenu()) << "nothing shows yet";
  g_seen.reset();
  SetForegroundWindow(owner);
  SetTimer(nullptr, 0, 200, readAndClose);
  const BOOL chosen = TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY, 150, 150, owner, nullptr);
  DestroyMenu(menu);
  EXPECT_EQ(chosen, 0) << "closed without a choice";
  ASSERT_TRUE(g_seen) << "the menu was not found while it showed";
  ASSERT_EQ(g_seen->items.size(), 4u);
  EXPECT_EQ(g_seen->items[0].text, L"Alpha.xlsx");
  EXPECT_EQ(g_seen->items[1].text, L"R&D.xlsx");
  EXPECT_TRUE(g_seen->items[2].separator);
  EXPECT_EQ(g_seen->items[3].text, L"Gamma.xlsx");
  EXPECT_FALSE(g_seen->items[0].checked);
  EXPECT_TRUE(g_seen->items[1].checked);
  const RECT window = g_menuWindow;
  for (size_t i = 0; i < g_seen->items.size(); ++i) {
    const RECT& r = g_seen->items[i].rect;
    EXPECT_FALSE(IsRectEmpty(&r)) << i;
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &r, &window) && EqualRect(&inside, &r))
        << i << ": " << r.left << "," << r.top << "-" << r.right << "," << r.bottom << " not inside the menu window "
        << window.left << "," << window.top << "-" << window.right << "," << window.bottom;
    if (i > 0) {
      EXPECT_GE(r.top, g_seen->items[i - 1].rect.bottom) << i << ": below the one before";
    }
  }
  EXPECT_FALSE(shownMenu()) << "gone once closed";
}

TEST_F(OnScreen, ATooltipIsReadOnlyWhileItShows) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&icc));
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(tip, nullptr);
  std::wstring text = L"C:\\Data\\R&D.xlsx\nunsaved changes";
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  info.hwnd = owner;
  info.uId = 1;
  info.lpszText = text.data();
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 800);
  EXPECT_FALSE(shownTooltip()) << "not shown yet";
  SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(200, 200));
  SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
  std::optional<ShownTooltip> shown = shownTooltip();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->window, tip);
  EXPECT_EQ(shown->lines, (Lines{L"C:\\Data\\R&D.xlsx", L"unsaved changes"}));
  SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
  EXPECT_FALSE(shownTooltip()) << "hidden again";
  DestroyWindow(tip);
}

}  // namespace
}  // namespace hostsim::test
