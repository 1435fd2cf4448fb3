// The menu bar locked while a long run (an error analysis, a series) works
// through its steps: the run's own pages and boxes answer the user, but no
// menu item or toolbar button starts another command in the middle of it.
#pragma once
#include <utility>
#include <vector>

namespace sorvan {

// Grays every entry of the menu bar (the menu state of a window drawn during
// the run keeps the lock).
void GrayMenuBarEntries();

class LongRunLock {
 public:
  // Grays every entry of the menu bar and sets G.LongRunActive; a lock taken
  // inside another does nothing.
  LongRunLock();
  // Puts every entry back as it was and clears G.LongRunActive.
  ~LongRunLock();
  LongRunLock(const LongRunLock&) = delete;
  LongRunLock& operator=(const LongRunLock&) = delete;

 private:
  bool owner_ = false;
  std::vector<std::pair<int, bool>> entries_;  // handle, was enabled
};

}  // namespace sorvan
