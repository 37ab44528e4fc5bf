#pragma once
// The folder for brelm-check's own documents, under the user's temporary
// folder, removed with everything in it when the run ends.
#include <string>

namespace brelmcheck {

class TempFolder {
 public:
  TempFolder() = default;
  ~TempFolder() { remove(); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool create();
  const std::wstring& path() const { return path_; }
  // Safe to call more than once, and from the thread that gives up on a
  // host that does not answer.
  bool remove();

 private:
  std::wstring path_;
};

// Deletes a folder and everything under it (not following links out of it).
bool removeTree(const std::wstring& path);

}  // namespace brelmcheck
