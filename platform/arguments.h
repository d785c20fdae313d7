#pragma once

#include <string>
#include <vector>

namespace platform {

// The program's arguments as UTF-8 on every system. Windows hands main()
// its arguments in the ANSI code page, which loses a folder named in
// another script; this object reads them anew from the system's UTF-16
// command line and points argc and argv at its own copies for as long as it
// lives. Elsewhere they are bytes already and stay as they are.
class Utf8Arguments {
 public:
  Utf8Arguments(int& argc, char**& argv);
  Utf8Arguments(const Utf8Arguments&) = delete;
  Utf8Arguments& operator=(const Utf8Arguments&) = delete;

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;
};

}  // namespace platform
