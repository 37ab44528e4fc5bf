#include "scenario.h"

#include <cctype>
#include <iostream>
#include <stdexcept>

#include "state_dump.h"

namespace brelm::sim {

namespace {

[[noreturn]] void bad(const std::string& message) { throw std::invalid_argument(message); }

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::vector<std::string> splitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted) {
      if (c == '\\' && i + 1 < line.size()) {
        word += line[++i];
      } else if (c == '"') {
        quoted = false;
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = inWord = true;
    } else if (c == '#') {
      break;
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (quoted) bad("unterminated quote");
  if (inWord) words.push_back(word);
  return words;
}

// The arguments of one command, taken in order.
class Scenario::Args {
 public:
  explicit Args(const std::vector<std::string>& words) : words_(words) {}
  const std::string& command() const { return words_[0]; }
  bool more() const { return next_ < words_.size(); }
  std::size_t remaining() const { return words_.size() - next_; }
  std::string word(const char* what) {
    if (!more()) bad(command() + ": missing " + what);
    return words_[next_++];
  }
  long integer(const char* what) {
    std::string w = word(what);
    try {
      std::size_t used = 0;
      long v = std::stol(w, &used);
      if (used == w.size()) return v;
    } catch (const std::exception&) {
    }
    bad(command() + ": " + what + " is not a whole number: " + w);
  }
  double real(const char* what) {
    std::string w = word(what);
    try {
      std::size_t used = 0;
      double v = std::stod(w, &used);
      if (used == w.size()) return v;
    } catch (const std::exception&) {
    }
    bad(command() + ": " + what + " is not a number: " + w);
  }
  // One of `choices`, returned as its position.
  int choice(const char* what, std::initializer_list<const char*> choices) {
    std::string w = lower(word(what));
    int i = 0;
    for (const char* c : choices) {
      if (w == c) return i;
      ++i;
    }
    bad(command() + ": bad " + what + ": " + w);
  }
  void done() const {
    if (more()) bad(command() + ": unexpected argument " + words_[next_]);
  }

 private:
  const std::vector<std::string>& words_;
  std::size_t next_ = 1;
};

Scenario::Scenario(const SimOptions& options, bool withReads, std::ostream& out,
                   std::ostream& err)
    : platform_(options),
      addin_(platform_.platform(), options.host),
      withReads_(withReads),
      out_(out),
      err_(err) {}

Scenario::~Scenario() = default;

template <class F>
void Scenario::guarded(const std::string& what, F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    err_ << what << " failed: " << e.what() << "\n";
    platform_.log.action("(" + what + " failed: " + e.what() + ")");
  } catch (...) {
    err_ << what << " failed\n";
    platform_.log.action("(" + what + " failed)");
  }
}

void Scenario::connect() {
  std::shared_ptr<HostApp> app = platform_.host->application();
  // The add-in gets the only reference, so the count of host objects shows
  // what the add-in holds.
  guarded("start-up", [&] { addin_.OnConnection(std::move(app)); });
}

void Scenario::disconnect() { addin_.OnDisconnection(); }

// A host that quit disconnects its add-ins on the way out.
void Scenario::afterCommand() {
  if (platform_.host->quit() && addin_.connected()) {
    platform_.log.action("(host shuts down: OnDisconnection)");
    addin_.OnDisconnection();
  }
}

void Scenario::dump() {
  lastDump_ = dumpState(addin_, platform_, withReads_);
  out_ << lastDump_->dump() << "\n";
}

void Scenario::execute(const std::vector<std::string>& words) {
  if (words.empty()) return;
  Args args(words);
  const std::string c = lower(args.command());
  SimToolkit& tk = platform_.toolkit;
  if (c == "connect") {
    args.done();
    connect();
  } else if (c == "disconnect") {
    args.done();
    disconnect();
  } else if (c == "aa") {
    args.done();
    guarded("aa", [&] { addin_.aa(); });
  } else if (c == "tick" || c == "timer") {
    TimerId timer = TimerId::Mouse;
    if (c == "timer") timer = args.choice("timer", {"left", "right"}) == 0 ? TimerId::Left : TimerId::Right;
    long n = c == "tick" && !args.more() ? 1 : args.integer("count");
    args.done();
    if (n < 0) bad(c + ": negative count");
    tk.fire(timer, static_cast<int>(n));
  } else if (c == "pointer") {
    long x = args.integer("x"), y = args.integer("y");
    args.done();
    platform_.windows.setCursor({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
  } else if (c == "dialog") {
    bool accept = args.choice("answer", {"accept", "cancel"}) == 0;
    args.done();
    platform_.host->queueDialogAnswer(accept);
  } else if (c == "answer") {
    int a = args.choice("answer", {"yes", "no", "cancel"});
    args.done();
    tk.queueAnswer(a == 0 ? msgbox::kYes : a == 1 ? msgbox::kNo : msgbox::kCancel);
  } else if (c == "choose") {
    // The item picked from the next list shown: its 1-based place; 0 for
    // none (Escape).
    const long item = args.integer("item");
    args.done();
    tk.queueListChoice(item <= 0 ? -1 : static_cast<int>(item) - 1);
  } else if (c == "tooltip") {
    const long index = args.integer("index");
    args.done();
    out_ << "tooltip " << index << ": " << tk.tooltipOf(static_cast<int>(index)) << "\n";
  } else if (c == "charwidth") {
    double w = args.real("twips");
    args.done();
    tk.setCharWidth(static_cast<float>(w));
  } else if (c == "dump") {
    args.done();
    dump();
  } else if (c == "down" || c == "up" || c == "click" || c == "dblclick" || c == "move" ||
             c == "drop" || c == "release") {
    try {
      pointerAction(args);
    } catch (const std::invalid_argument& e) {
      std::string what = e.what();
      if (what.rfind(args.command() + ":", 0) == 0) throw;
      bad(args.command() + ": " + what);
    }
  } else {
    hostAction(args);
  }
  afterCommand();
}

namespace {

Target parseTarget(const std::string& command, const std::string& name, long index) {
  static const std::pair<const char*, ElementKind> kinds[] = {
      {"image1", ElementKind::Image1}, {"image2", ElementKind::Image2},
      {"image3", ElementKind::Image3}, {"label2", ElementKind::Label2},
      {"ileft", ElementKind::Ileft},   {"iright", ElementKind::Iright},
      {"ilist", ElementKind::Ilist},   {"form", ElementKind::Form}};
  for (const auto& [n, kind] : kinds) {
    if (lower(name) == n) return Target{kind, static_cast<int>(index)};
  }
  bad(command + ": unknown element " + name);
}

bool indexed(const std::string& element) {
  std::string e = lower(element);
  return e != "ileft" && e != "iright" && e != "ilist" && e != "form";
}

}  // namespace

// Pointer input goes through the toolkit to the events the add-in registered
// when it created its form.
void Scenario::pointerAction(Args& args) {
  const std::string c = lower(args.command());
  SimToolkit& tk = platform_.toolkit;
  if (c == "release") {
    args.done();
    tk.releaseOutside();
    return;
  }
  long source = c == "drop" ? args.integer("source index") : 0;
  std::string element = args.word("element");
  // The arrows and the form have no index, but one may be written (0); it is
  // there when the words left over after the trailing arguments are odd.
  std::size_t trailing = c == "down" || c == "up" ? 1 : 0;
  bool hasIndex = indexed(element) || (args.remaining() >= trailing &&
                                       (args.remaining() - trailing) % 2 == 1);
  long index = hasIndex ? args.integer("index") : 0;
  Target target = parseTarget(args.command(), element, index);
  if (c == "down" || c == "up") {
    const int choice = args.choice("button", {"left", "right", "1", "2", "middle", "4"});
    const int button = choice >= 4 ? mouse::kMiddle : choice % 2 == 0 ? mouse::kLeft : mouse::kRight;
    args.done();
    if (c == "down") {
      tk.mouseDown(target, button);
    } else {
      tk.mouseUp(target, button);
    }
  } else if (c == "drop") {
    std::optional<Point> at;
    if (args.more()) {
      long x = args.integer("x"), y = args.integer("y");
      at = Point{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
    }
    args.done();
    tk.drop(static_cast<int>(source), target, at);
  } else {
    args.done();
    if (c == "click") tk.click(target);
    if (c == "dblclick") tk.dblClick(target);
    if (c == "move") tk.mouseMove(target);
  }
}

// What the host's user does.
void Scenario::hostAction(Args& args) {
  const std::string c = lower(args.command());
  HostModel& host = *platform_.host;
  auto live = [&] {
    if (host.quit()) bad(c + ": the host has quit");
  };
  if (c == "open") {
    std::string caption = args.word("caption");
    args.done();
    live();
    host.open(caption);
  } else if (c == "newwindow" || c == "rename") {
    std::string caption = args.word("caption"), other = args.word("new caption");
    args.done();
    live();
    if (c == "newwindow") {
      host.newWindow(caption, other);
    } else {
      host.rename(caption, other);
    }
  } else if (c == "activate" || c == "close" || c == "modify" || c == "saved") {
    std::string caption = args.word("caption");
    args.done();
    live();
    if (c == "activate") host.userActivate(caption);
    if (c == "close") host.userClose(caption);
    if (c == "modify") host.modify(caption);
    if (c == "saved") host.markSaved(caption);
  } else if (c == "noactive") {
    args.done();
    host.setNoActive();
  } else if (c == "busy") {
    bool on = args.choice("state", {"on", "off"}) == 0;
    args.done();
    host.setBusy(on);
  } else if (c == "hostwidth") {
    double points = args.real("points");
    args.done();
    if (points <= 0) bad("hostwidth: the width must be positive");
    live();
    host.setWidthPoints(points);
  } else if (c == "relayout") {
    args.done();
    live();
    host.relayout();
  } else if (c == "formulabar") {
    bool on = args.choice("state", {"on", "off"}) == 0;
    args.done();
    SheetHost* sheet = platform_.sheet();
    if (!sheet) bad("formulabar: only the spreadsheet host has a formula bar");
    sheet->showFormulaBar(on);
  } else if (c == "hide" || c == "unhide" || c == "openhidden") {
    std::string caption = args.word("caption");
    args.done();
    live();
    SheetHost* sheet = platform_.sheet();
    if (!sheet) bad(c + ": only the spreadsheet host hides windows");
    if (c == "hide") sheet->hide(caption);
    if (c == "unhide") sheet->unhide(caption);
    if (c == "openhidden") sheet->openHidden(caption);
  } else if (c == "frame") {
    std::string caption = args.word("caption");
    long l = args.integer("left"), t = args.integer("top"), r = args.integer("right"),
         b = args.integer("bottom");
    args.done();
    live();
    SheetHost* sheet = platform_.sheet();
    if (!sheet || !sheet->framePerWindow()) bad("frame: only a host with a frame per window");
    if (r <= l || b <= t) bad("frame: an empty rectangle");
    sheet->placeFrame(caption, Rect{static_cast<std::int32_t>(l), static_cast<std::int32_t>(t),
                                    static_cast<std::int32_t>(r), static_cast<std::int32_t>(b)});
  } else if (c == "windowstate") {
    std::string caption = args.word("caption");
    long state = args.integer("state");
    args.done();
    if (state < 1 || state > 3) bad("windowstate: the state is 1, 2 or 3");
    host.setWindowState(caption, static_cast<int>(state));
  } else if (c == "menu") {
    std::string key = args.word("command key");
    args.done();
    live();
    host.clickButton(key);
  } else {
    bad("unknown command " + args.command());
  }
}

}  // namespace brelm::sim
