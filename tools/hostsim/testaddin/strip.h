#pragma once
// The test add-in's strip: a child window of class "BrelmTabStrip" docked at
// the top of the host's document area, one tab per host window, refreshed
// by a 100 ms timer; re-created when the frame holding it closes. Left click activates, the close box closes (asking to
// save on the presentation host), right click shows the host popup.
#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace testaddin {

using Microsoft::WRL::ComPtr;

struct Tab {
  std::wstring caption;
  ComPtr<IDispatch> window;
  RECT rect{}, close{};
};

class Strip {
 public:
  // A fault the test add-in can be told to have, so that a checker can be
  // shown to catch it (HKCU\Software\HostSim\TestAddin, value Fault): off
  // unless the value is set. "stale": once the strip has shown tabs it
  // never reads the host's windows again, i.e. it stops following the host.
  enum class Fault { None, Stale };
  static Fault faultFromRegistry();

  Strip(ComPtr<IDispatch> app, bool sheet, int major, Fault fault = Fault::None);
  ~Strip();
  Strip(const Strip&) = delete;
  Strip& operator=(const Strip&) = delete;

  bool create();
  void refresh();
  void onActivated(IDispatch* window);
  void onMenu(const std::wstring& parameter);

  HWND hwnd() const { return hwnd_; }
  const std::vector<Tab>& tabs() const { return tabs_; }
  int selected() const { return selected_; }

 private:
  static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM) noexcept;
  static LRESULT CALLBACK timerProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  bool ensureWindow();
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  HWND hostWindow() const;
  void dock();
  void layoutTabs();
  void paint();
  void press(POINT p, bool right);
  void closeTab(size_t i);
  bool promptToSave(IDispatch* window);
  bool saveDocument(IDispatch* doc);

  ComPtr<IDispatch> app_;
  bool sheet_;
  int major_;
  HWND hwnd_ = nullptr;
  HWND timer_ = nullptr;  // outlives the strip, which dies with a closing frame
  std::vector<Tab> tabs_;
  int selected_ = -1;
  Fault fault_;
  bool filled_ = false;  // tabs were shown once
  bool frozen() const { return fault_ == Fault::Stale && filled_; }
};

}  // namespace testaddin
