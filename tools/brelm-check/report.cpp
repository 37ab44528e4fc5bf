#include "report.h"

#include <windows.h>

#include <cstdio>

namespace brelmcheck {

std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  return text;
}

void Report::setMachine(std::vector<std::pair<std::string, std::string>> facts) {
  std::lock_guard<std::mutex> g(lock_);
  machine_ = std::move(facts);
}

void Report::beginHost(const std::string& title) {
  std::lock_guard<std::mutex> g(lock_);
  hosts_.push_back(HostSection{title, {}, {}, {}, {}, {}, false});
}

void Report::fact(const std::string& name, const std::string& value) {
  std::lock_guard<std::mutex> g(lock_);
  if (!hosts_.empty()) hosts_.back().facts.emplace_back(name, oneLine(value));
}

void Report::check(const std::string& suite, const std::string& name, bool ok, const std::string& seen) {
  std::lock_guard<std::mutex> g(lock_);
  if (!hosts_.empty()) hosts_.back().checks.push_back(CheckLine{suite, name, ok, oneLine(seen)});
  std::printf("  %-4s %s: %s: %s\n", ok ? "ok" : "FAIL", suite.c_str(), name.c_str(), oneLine(seen).c_str());
  std::fflush(stdout);
}

void Report::skip(const std::string& suite, const std::string& name, const std::string& why) {
  std::lock_guard<std::mutex> g(lock_);
  if (!hosts_.empty()) hosts_.back().checks.push_back(CheckLine{suite, name, true, oneLine(why), true});
  std::printf("  skip %s: %s: %s\n", suite.c_str(), name.c_str(), oneLine(why).c_str());
  std::fflush(stdout);
}

void Report::note(const std::string& text) {
  std::lock_guard<std::mutex> g(lock_);
  if (!hosts_.empty()) hosts_.back().notes.push_back(oneLine(text));
  std::printf("  note: %s\n", oneLine(text).c_str());
  std::fflush(stdout);
}

void Report::screenshot(const std::string& file) {
  std::lock_guard<std::mutex> g(lock_);
  if (!hosts_.empty()) hosts_.back().screenshots.push_back(file);
}

void Report::measurement(const std::string& what, const std::string& value) {
  std::lock_guard<std::mutex> g(lock_);
  if (!hosts_.empty()) hosts_.back().measurements.emplace_back(oneLine(what), oneLine(value));
  std::printf("  measured %s: %s\n", oneLine(what).c_str(), oneLine(value).c_str());
  std::fflush(stdout);
}

void Report::hostCompleted() {
  std::lock_guard<std::mutex> g(lock_);
  if (!hosts_.empty()) hosts_.back().completed = true;
}

bool Report::allHeld() const {
  std::lock_guard<std::mutex> g(lock_);
  size_t checks = 0;
  for (const HostSection& h : hosts_) {
    if (!h.completed) return false;
    for (const CheckLine& c : h.checks) {
      if (!c.ok) return false;
      if (!c.skipped) ++checks;
    }
  }
  return checks > 0;
}

std::string Report::markdown() const {
  std::lock_guard<std::mutex> g(lock_);
  std::string out = "# brelm-check report\n\n";
  for (const auto& [name, value] : machine_) out += "- " + name + ": " + value + "\n";
  for (const HostSection& h : hosts_) {
    out += "\n## " + h.title + "\n\n";
    for (const auto& [name, value] : h.facts) out += "- " + name + ": " + value + "\n";
    if (!h.notes.empty()) {
      out += "\n";
      for (const std::string& n : h.notes) out += "> " + n + "\n";
    }
    out += "\n";
    size_t failed = 0, skipped = 0;
    for (const CheckLine& c : h.checks) {
      out += std::string(c.skipped ? "- skip " : c.ok ? "- ok " : "- FAIL ") + c.suite + ": " + c.name + ": " +
             c.seen + "\n";
      if (!c.ok) ++failed;
      if (c.skipped) ++skipped;
    }
    if (!h.completed) out += "- FAIL run: the checks of this host did not run to the end\n";
    const size_t ran = h.checks.size() - skipped;
    out += "\n" + std::to_string(ran - failed) + " of " + std::to_string(ran) + " checks held";
    out += skipped ? ", " + std::to_string(skipped) + " skipped (only the test host can run them).\n" : ".\n";
    if (!h.measurements.empty()) {
      out += "\n### Measurements\n\n";
      for (const auto& [what, value] : h.measurements) out += "- " + what + ": " + value + "\n";
    }
    if (!h.screenshots.empty()) {
      out += "\nScreenshots:";
      for (const std::string& s : h.screenshots) out += " " + s;
      out += "\n";
    }
  }
  return out;
}

bool Report::write(const std::wstring& dir) const {
  std::string text = markdown();
  std::wstring path = dir + L"\\report.md";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

}  // namespace brelmcheck
