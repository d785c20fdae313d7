#include "x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

Display* AsDisplay(void* connection) { return static_cast<Display*>(connection); }

bool OnPath(const char* program) {
  const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
            posix_spawn_file_actions_t* actions = nullptr) {
  // The extra entries replace inherited ones of the same name.
  auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const std::string& extra : extraEnv) replaced = replaced || nameOf(extra) == nameOf(entry);
    if (!replaced) env.push_back(entry);
  }
  for (const std::string& entry : extraEnv) env.push_back(entry);
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], actions, nullptr, args.data(), envp.data()) != 0) return -1;
  return pid;
}

void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      pid = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

}  // namespace

std::string XSession::Unavailable() {
  if (!OnPath("Xvfb")) return "Xvfb is not installed (Debian package xvfb)";
  if (!OnPath("xdotool")) return "xdotool is not installed (Debian package xdotool)";
  return {};
}

XSession::~XSession() {
  Stop(program_);
  if (connection_) XCloseDisplay(AsDisplay(connection_));
  Stop(server_);
}

bool XSession::StartServer() {
  int fds[2];
  if (pipe(fds) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  // Xvfb picks a free display and writes its number to this descriptor.
  server_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp"},
                  {}, &actions);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (server_ <= 0) {
    close(fds[0]);
    return false;
  }
  char buffer[32] = {};
  ssize_t got = 0, n;
  while (got < 31 && (n = read(fds[0], buffer + got, 1)) > 0) {
    if (buffer[got] == '\n') break;
    ++got;
  }
  close(fds[0]);
  buffer[got] = 0;
  if (got == 0) return false;
  display_ = std::string(":") + buffer;
  setenv("DISPLAY", display_.c_str(), 1);
  connection_ = XOpenDisplay(display_.c_str());
  return connection_ != nullptr;
}

bool XSession::StartProgram(const std::string& path, const std::vector<std::string>& environment) {
  std::vector<std::string> env = environment;
  env.push_back("DISPLAY=" + display_);
  env.push_back("QT_QPA_PLATFORM=xcb");
  program_ = Spawn({path}, env);
  return program_ > 0;
}

bool XSession::Xdotool(const std::string& arguments, std::string* output) {
  const std::string command = "xdotool " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return false;
  std::string text;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
  const int status = pclose(pipe);
  if (output) *output = text;
  return status == 0;
}

bool XSession::WaitForWindow(const std::string& title, int seconds) {
  const auto deadline = Clock::now() + std::chrono::seconds(seconds);
  std::string found;
  while (Clock::now() < deadline) {
    if (Xdotool("search --onlyvisible --name '^" + title + "$'", &found) && !found.empty()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (found.empty()) return false;
  window_ = std::strtoul(found.c_str(), nullptr, 10);
  Display* display = AsDisplay(connection_);
  Window child;
  XTranslateCoordinates(display, window_, DefaultRootWindow(display), 0, 0, &originX_, &originY_,
                        &child);
  // Give the first paint a moment to reach the screen.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return true;
}

std::uint32_t XSession::Pixel(int x, int y) {
  Display* display = AsDisplay(connection_);
  XImage* image = XGetImage(display, DefaultRootWindow(display), originX_ + x, originY_ + y, 1, 1,
                            AllPlanes, ZPixmap);
  if (!image) return 0;
  const unsigned long pixel = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return 0xFF000000u | std::uint32_t(pixel & 0xFFFFFF);
}

bool XSession::WaitForPixel(int x, int y, std::uint32_t color, int tolerance, int seconds) {
  const auto deadline = Clock::now() + std::chrono::seconds(seconds);
  do {
    const std::uint32_t actual = Pixel(x, y);
    bool near = true;
    for (int shift : {0, 8, 16}) {
      const int d = int((actual >> shift) & 0xFF) - int((color >> shift) & 0xFF);
      near = near && d <= tolerance && d >= -tolerance;
    }
    if (near) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (Clock::now() < deadline);
  return false;
}

void XSession::Move(int x, int y) {
  Xdotool("mousemove " + std::to_string(originX_ + x) + " " + std::to_string(originY_ + y));
}

void XSession::Click(int x, int y) {
  Move(x, y);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  Xdotool("click 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

void XSession::Type(const std::string& text) {
  Xdotool("type --delay 80 '" + text + "'");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

int XSession::CloseAndWait(int seconds) {
  Display* display = AsDisplay(connection_);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window_, False, NoEventMask, &event);
  XFlush(display);
  const auto deadline = Clock::now() + std::chrono::seconds(seconds);
  while (Clock::now() < deadline) {
    int status = 0;
    if (waitpid(program_, &status, WNOHANG) == program_) {
      program_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -1;
}
