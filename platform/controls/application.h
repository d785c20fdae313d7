#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fmx {

class TForm;

// The application object: owns the toolkit, builds the registered windows
// when it runs, shows the first one and runs the event loop until it closes.
class TApplication {
 public:
  TApplication();
  ~TApplication();

  void Initialize(int& argc, char** argv);

  // Registers a window class; the window is built by Run, with `reference`
  // pointing at it while it lives.
  template <typename FormClass>
  void CreateForm(FormClass*& reference) {
    creators_.push_back([&reference]() -> TForm* {
      reference = new FormClass();
      return reference;
    });
    forgetters_.push_back([&reference] { reference = nullptr; });
  }

  // Builds the windows (stored description, then the create event), shows the
  // main one, runs the event loop and, when it closes, destroys the windows
  // (destroy event). Returns the exit code.
  int Run();

  // Ends the toolkit without running the loop (tools and tests that build
  // windows themselves).
  void Shutdown();

  // The executable's name, the caption of notices.
  std::u16string Title() const;

 private:
  struct Toolkit;
  std::unique_ptr<Toolkit> toolkit_;
  std::vector<std::function<TForm*()>> creators_;
  std::vector<std::function<void()>> forgetters_;
};

extern TApplication Application;

}  // namespace fmx
