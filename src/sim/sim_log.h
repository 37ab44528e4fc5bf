#pragma once
// The record of everything the add-in asked of the simulated platform, in
// order. Property reads are kept apart from actions so that an idle tick, which
// reads a lot and changes nothing, stays easy to read.
#include <cstddef>
#include <string>
#include <vector>

namespace brelm::sim {

struct LogEntry {
  std::string text;
  bool read = false;
};

class SimLog {
 public:
  void action(std::string text) { entries_.push_back({std::move(text), false}); }
  void read(std::string text) { entries_.push_back({std::move(text), true}); }

  // An exception came out of the add-in where no exception may cross (a
  // window procedure, a timer, a COM event). Recorded as an action.
  void escaped(const std::string& where, const std::string& what);
  int escapes() const { return escapes_; }

  // Entries since the previous take(), then moves the mark past them.
  std::vector<LogEntry> take();
  const std::vector<LogEntry>& entries() const { return entries_; }
  // Actions (not reads) since `from` whose text starts with `prefix`.
  int countActions(const std::string& prefix, std::size_t from = 0) const;
  std::size_t size() const { return entries_.size(); }

 private:
  std::vector<LogEntry> entries_;
  std::size_t mark_ = 0;
  int escapes_ = 0;
};

}  // namespace brelm::sim
