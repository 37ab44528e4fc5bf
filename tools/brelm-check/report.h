#pragma once
// What a run found, and report.md written from it: the machine, each host
// (name, version, build, bitness), then one line per check with what was
// seen. Shared between the checks and the thread that gives up on a host
// that does not answer, hence the lock.
#include <mutex>
#include <string>
#include <vector>

namespace brelmcheck {

struct CheckLine {
  std::string suite, name;
  bool ok = false;
  std::string seen;
  bool skipped = false;  // not run on this host; `seen` says why
};

struct HostSection {
  std::string title;  // "spreadsheet host"
  std::vector<std::pair<std::string, std::string>> facts;  // "Version", "16.0"
  std::vector<CheckLine> checks;
  std::vector<std::string> notes;     // what the user should know or do
  std::vector<std::string> screenshots;
  std::vector<std::pair<std::string, std::string>> measurements;  // what, how much
  bool completed = false;  // every chosen suite ran
};

class Report {
 public:
  void setMachine(std::vector<std::pair<std::string, std::string>> facts);
  // Starts the section of the next host; later calls add to it.
  void beginHost(const std::string& title);
  void fact(const std::string& name, const std::string& value);
  void check(const std::string& suite, const std::string& name, bool ok, const std::string& seen);
  // A check that could not run on this host, and why: neither held nor failed.
  void skip(const std::string& suite, const std::string& name, const std::string& why);
  void note(const std::string& text);
  void screenshot(const std::string& file);
  // A figure the report gives as it is, passing no judgement on it.
  void measurement(const std::string& what, const std::string& value);
  void hostCompleted();

  // True when at least one check ran, every check held and every host's
  // suites ran to the end.
  bool allHeld() const;
  std::string markdown() const;
  // Writes DIR\report.md; false when it could not.
  bool write(const std::wstring& dir) const;

 private:
  mutable std::mutex lock_;
  std::vector<std::pair<std::string, std::string>> machine_;
  std::vector<HostSection> hosts_;
};

// One line of a value: line breaks and table bars would break the layout.
std::string oneLine(std::string text);

}  // namespace brelmcheck
