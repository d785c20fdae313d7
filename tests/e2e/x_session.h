#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// A private X server (Xvfb) with the program running on it, and the means
// to look at the screen and to drive the real pointer and keyboard.
class XSession {
 public:
  XSession() = default;
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // Why the session cannot run here (missing Xvfb or xdotool), or empty.
  static std::string Unavailable();

  bool StartServer();
  // Starts the program with extra environment entries "NAME=value".
  bool StartProgram(const std::string& path, const std::vector<std::string>& environment);
  // Waits for the window captioned `title`; remembers its client origin.
  bool WaitForWindow(const std::string& title, int seconds = 30);

  // The colour (0xFFRRGGBB) at a point of the window's client area.
  std::uint32_t Pixel(int x, int y);
  // Polls until the pixel is near the colour; false on timeout.
  bool WaitForPixel(int x, int y, std::uint32_t color, int tolerance = 3, int seconds = 10);

  void Click(int x, int y);
  void Move(int x, int y);
  void Type(const std::string& text);

  // Asks the window to close as a window manager does; waits for the
  // program to end and gives its exit status, or -1.
  int CloseAndWait(int seconds = 30);

 private:
  bool Xdotool(const std::string& arguments, std::string* output = nullptr);

  pid_t server_ = -1;
  pid_t program_ = -1;
  std::string display_;
  void* connection_ = nullptr;  // Display*
  unsigned long window_ = 0;
  int originX_ = 0, originY_ = 0;
};
