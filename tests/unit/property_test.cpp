// Random sequences of host and pointer actions against the tab model's
// invariants. Each run prints its seed when it fails.
#include <algorithm>
#include <random>

#include "harness.h"

namespace brelm::test {
namespace {

class RandomSession {
 public:
  RandomSession(HostKind kind, unsigned seed)
      : h_(kind == HostKind::Sheet ? sheetHost() : slideHost()), rng_(seed) {}

  void run(int steps) {
    h_.connect();
    for (int i = 0; i < steps; ++i) {
      step();
      ASSERT_TRUE(h_.consistent()) << "after step " << i << ": " << last_;
    }
    settle();
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  std::vector<std::string> open() {
    std::vector<std::string> out;
    for (int id : h_.host().windowOrder()) out.push_back(h_.host().window(id)->caption);
    return out;
  }
  std::string anyOpen() {
    auto list = open();
    return list.empty() ? std::string() : list[pick(static_cast<int>(list.size()))];
  }
  int anyTab() {
    const int n = h_.model().tabCount;
    return n == 0 ? 0 : h_.model().tabOrder[1 + pick(n)];
  }

  void hostAction() {
    const std::string w = anyOpen();
    switch (pick(7)) {
      case 0:
      case 1:
        last_ = "open";
        h_.open("Doc" + std::to_string(next_++));
        break;
      case 2:
        last_ = "close " + w;
        if (!w.empty()) h_.host().userClose(w);
        break;
      case 3:
        last_ = "rename " + w;
        if (!w.empty()) h_.host().rename(w, w + std::string(pick(3), 'x') + "r");
        break;
      case 4:
        last_ = "activate " + w;
        if (!w.empty()) h_.host().userActivate(w);
        break;
      case 5:
        last_ = "noactive";
        h_.host().setNoActive();
        break;
      default:
        last_ = "newwindow " + w;
        if (!w.empty()) h_.host().newWindow(w, w + ":" + std::to_string(next_++));
    }
  }

  void pointerAction() {
    const int e = anyTab();
    sim::SimToolkit& tk = h_.sim.toolkit;
    if (e == 0 || !tk.unreachable({ElementKind::Label2, e}).empty()) return;
    switch (pick(5)) {
      case 0:
        last_ = "click tab";
        tk.click({ElementKind::Label2, e});
        break;
      case 1:
        last_ = "hover";
        tk.mouseMove({ElementKind::Image1, e});
        break;
      case 2: {
        last_ = "drag";
        tk.mouseDown({ElementKind::Label2, e}, mouse::kLeft);
        tk.mouseMove({ElementKind::Image1, e});
        const int target = anyTab();
        if (tk.dragSource() && tk.unreachable({ElementKind::Image1, target}).empty())
          tk.drop(e, {ElementKind::Image1, target}, std::nullopt);
        break;
      }
      case 3:
        last_ = "scroll";
        h_.bar().moveright();
        break;
      default:
        last_ = "close image";
        tk.click({ElementKind::Image2, e});
    }
  }

  void step() {
    const int what = pick(10);
    if (what < 5) {
      hostAction();
    } else if (what < 7) {
      pointerAction();
    } else {
      last_ = "tick";
      h_.tick();
    }
  }

  // Once the host behaves, one tick brings every window its one tab.
  void settle() {
    auto list = open();
    if (!list.empty()) h_.host().userActivate(list.front());
    h_.tick();
    auto tabs = h_.captions();
    std::sort(list.begin(), list.end());
    std::sort(tabs.begin(), tabs.end());
    EXPECT_EQ(tabs, list) << recentLog();
    EXPECT_EQ(h_.sim.log.escapes(), 0);
  }

  std::string recentLog() {
    const auto& entries = h_.sim.log.entries();
    std::string out = "last host and window calls:";
    for (std::size_t i = entries.size() > 40 ? entries.size() - 40 : 0; i < entries.size(); ++i)
      if (!entries[i].read) out += "\n  " + entries[i].text;
    return out;
  }

  Harness h_;
  std::mt19937 rng_;
  int next_ = 1;
  std::string last_;
};

TEST(Properties, RandomSessionsKeepTheModelConsistent) {
  for (HostKind kind : {HostKind::Sheet, HostKind::Slide}) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
      SCOPED_TRACE(::testing::Message() << (kind == HostKind::Sheet ? "sheet" : "slide")
                                        << " seed " << seed);
      RandomSession(kind, seed).run(150);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace brelm::test
