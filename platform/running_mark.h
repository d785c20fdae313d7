#pragma once

namespace platform {

// Says to the system, for as long as it lives, that Velmar is running: the
// Windows installer and uninstaller look for it (a named mutex) and ask the
// user to close the program instead of replacing files it has open. Other
// systems replace files under a running program without harm; there it
// does nothing.
class RunningMark {
 public:
  RunningMark();
  ~RunningMark();
  RunningMark(const RunningMark&) = delete;
  RunningMark& operator=(const RunningMark&) = delete;

 private:
  void* handle_ = nullptr;
};

}  // namespace platform
