// tavrelo-xprobe: looks at an X display the way a player does, for the smoke tests and for
// measuring. Times are taken by an X client watching the root window, not by the program
// about itself.
//
//   tavrelo-xprobe launch [--title T] [--settle MS] [--idle MS] [--term] -- PROGRAM [ARGS...]
//     Starts PROGRAM and prints, one per line:
//       first-map-ms N      exec to the first top-level window mapped
//       title-map-ms N      exec to the first mapped window titled T (with --title)
//       rss-kib N           resident memory, --settle ms after that window (or the first)
//       idle-cpu-percent N  processor time used over the following --idle ms (with --idle)
//       exit-status N       how it ended after SIGTERM (with --term; 128+N for a signal)
//     Exit status 0 when every figure asked for was taken, 1 otherwise (the missing line says
//     what did not happen in time).
//   tavrelo-xprobe shot OUT.png [X Y W H]   the screen, or the part of it given, as a PNG file
//   tavrelo-xprobe pixel X Y           the colour of a screen pixel, as RRGGBB
//   tavrelo-xprobe compare REFERENCE.png X Y [--except X,Y,W,H]... [--diff OUT.png]
//                                      the screen at (X, Y) against a picture, pixel for pixel
//   tavrelo-xprobe locate REFERENCE.png [SCALE]  where on the screen a picture shows, pixel for
//                                      pixel (each SCALE x SCALE pixels large), as X Y (status 1
//                                      when nowhere)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "image.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Options {
  std::string title;
  int settleMs = 1000;
  int idleMs = 0;
  bool term = false;
  char** command = nullptr;
};

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--" && i + 1 < argc) {
      options->command = argv + i + 1;
      return true;
    }
    if (arg == "--term") {
      options->term = true;
    } else if (i + 1 < argc && arg == "--title") {
      options->title = argv[++i];
    } else if (i + 1 < argc && arg == "--settle") {
      options->settleMs = std::atoi(argv[++i]);
    } else if (i + 1 < argc && arg == "--idle") {
      options->idleMs = std::atoi(argv[++i]);
    } else {
      return false;
    }
  }
  return false;
}

std::string TitleOf(Display* display, Window window) {
  XTextProperty property;
  std::string title;
  if (XGetWMName(display, window, &property) && property.value != nullptr) {
    title.assign(reinterpret_cast<const char*>(property.value), property.nitems);
    XFree(property.value);
  }
  return title;
}

// Waits for the next X event up to `deadline`; false when the deadline passed first.
bool NextEvent(Display* display, Clock::time_point deadline, XEvent* event) {
  while (!XPending(display)) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return false;
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(left).count();
    timeval timeout = {static_cast<time_t>(us / 1000000), static_cast<suseconds_t>(us % 1000000)};
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(display), &fds);
    select(ConnectionNumber(display) + 1, &fds, nullptr, nullptr, &timeout);
  }
  XNextEvent(display, event);
  return true;
}

long StatusField(pid_t pid, const char* field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
  return -1;
}

// User and system time of the process, in clock ticks.
long long CpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const std::size_t end = text.rfind(')');  // the command name may hold spaces
  if (end == std::string::npos) return -1;
  std::istringstream fields(text.substr(end + 2));
  std::string skip;
  for (int i = 3; i < 14; ++i) fields >> skip;  // state .. cmajflt: fields 3 to 13
  long long utime = 0, stime = 0;
  fields >> utime >> stime;
  return utime + stime;
}

int WaitForExit(pid_t pid, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// The screen's pixels as the X server holds them.
bool Shoot(Display* display, tools::Image* image) {
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* shot = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                           static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (shot == nullptr) return false;
  *image = tools::MakeImage(attributes.width, attributes.height);
  for (int y = 0; y < attributes.height; ++y)
    for (int x = 0; x < attributes.width; ++x) {
      const unsigned long p = XGetPixel(shot, x, y);
      std::uint8_t* out = image->Pixel(x, y);
      out[0] = static_cast<std::uint8_t>((p & shot->red_mask) >> __builtin_ctzl(shot->red_mask));
      out[1] =
          static_cast<std::uint8_t>((p & shot->green_mask) >> __builtin_ctzl(shot->green_mask));
      out[2] = static_cast<std::uint8_t>((p & shot->blue_mask) >> __builtin_ctzl(shot->blue_mask));
    }
  XDestroyImage(shot);
  return true;
}

int Usage(const char* name) {
  std::fprintf(stderr,
               "usage: %s launch [--title T] [--settle MS] [--idle MS] [--term] -- PROGRAM...\n"
               "       %s shot OUT.png [X Y W H]\n"
               "       %s pixel X Y\n"
               "       %s compare REFERENCE.png X Y [--except X,Y,W,H]... [--diff OUT.png]\n"
               "       %s locate REFERENCE.png [SCALE]\n",
               name, name, name, name, name);
  return 2;
}

bool OnScreen(const tools::Image& screen, int x, int y, int width, int height) {
  return x >= 0 && y >= 0 && width > 0 && height > 0 && x + width <= screen.width &&
         y + height <= screen.height;
}

int Shot(const tools::Image& screen, int argc, char** argv) {
  if (argc != 3 && argc != 7) return Usage(argv[0]);
  tools::Image image = screen;
  if (argc == 7) {
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    const int width = std::atoi(argv[5]), height = std::atoi(argv[6]);
    if (!OnScreen(screen, x, y, width, height)) {
      std::fprintf(stderr, "%s: %d, %d, %d x %d is not on the screen\n", argv[0], x, y, width,
                   height);
      return 1;
    }
    image = tools::Crop(screen, x, y, width, height);
  }
  std::string error;
  if (tools::SavePng(argv[2], image, &error)) return 0;
  std::fprintf(stderr, "%s\n", error.c_str());
  return 1;
}

int Pixel(const tools::Image& screen, int argc, char** argv) {
  if (argc != 4) return Usage(argv[0]);
  const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
  if (!OnScreen(screen, x, y, 1, 1)) {
    std::fprintf(stderr, "%s: %d, %d is not on the screen\n", argv[0], x, y);
    return 1;
  }
  const std::uint8_t* p = screen.Pixel(x, y);
  std::printf("%02X%02X%02X\n", p[0], p[1], p[2]);
  return 0;
}

// The screen at (X, Y) against a reference picture, pixel for pixel, but for the rectangles
// given with --except (in the reference's coordinates). Prints how many pixels differ; status 0
// when none does. --diff writes the reference dimmed, the rectangles left out in blue and the
// differing pixels in red.
int Compare(const tools::Image& screen, int argc, char** argv) {
  if (argc < 5) return Usage(argv[0]);
  std::string error;
  const auto reference = tools::LoadImageFile(argv[2], &error);
  if (!reference) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  const int left = std::atoi(argv[3]), top = std::atoi(argv[4]);
  struct Box {
    int x, y, width, height;
  };
  std::vector<Box> except;
  std::string diffPath;
  for (int i = 5; i < argc; ++i) {
    const std::string arg = argv[i];
    Box box{};
    if (arg == "--except" && i + 1 < argc &&
        std::sscanf(argv[i + 1], "%d,%d,%d,%d", &box.x, &box.y, &box.width, &box.height) == 4) {
      except.push_back(box);
      ++i;
    } else if (arg == "--diff" && i + 1 < argc) {
      diffPath = argv[++i];
    } else {
      return Usage(argv[0]);
    }
  }
  if (!OnScreen(screen, left, top, reference->width, reference->height)) {
    std::fprintf(stderr, "%s: %s at %d, %d does not fit on the screen\n", argv[0], argv[2], left,
                 top);
    return 2;
  }
  tools::Image diff = *reference;
  long differing = 0, compared = 0;
  for (int y = 0; y < reference->height; ++y)
    for (int x = 0; x < reference->width; ++x) {
      std::uint8_t* shown = diff.Pixel(x, y);
      bool skipped = false;
      for (const Box& b : except)
        skipped = skipped || (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height);
      const bool same = std::memcmp(reference->Pixel(x, y), screen.Pixel(left + x, top + y), 3) == 0;
      for (int c = 0; c < 3; ++c) shown[c] = static_cast<std::uint8_t>(shown[c] / 3);
      if (skipped) {
        shown[2] = static_cast<std::uint8_t>(128 + shown[2] / 2);
        continue;
      }
      ++compared;
      if (!same) {
        ++differing;
        shown[0] = 255, shown[1] = 0, shown[2] = 0;
      }
    }
  std::printf("differing %ld of %ld\n", differing, compared);
  if (!diffPath.empty() && !tools::SavePng(diffPath, diff, &error))
    std::fprintf(stderr, "%s\n", error.c_str());
  return differing == 0 ? 0 : 1;
}

// Where on the screen the picture shows exactly: for a window whose place only the display
// server knows (a Wayland compositor's, nested in the X server).
int Locate(const tools::Image& screen, int argc, char** argv) {
  if (argc != 3 && argc != 4) return Usage(argv[0]);
  const int scale = argc == 4 ? std::atoi(argv[3]) : 1;
  std::string error;
  const auto reference = tools::LoadImageFile(argv[2], &error);
  if (!reference || scale < 1) {
    std::fprintf(stderr, "%s\n", reference ? "the scale is a whole number from 1" : error.c_str());
    return 2;
  }
  const int width = reference->width * scale, height = reference->height * scale;
  const auto matches = [&](int left, int top) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (std::memcmp(reference->Pixel(x / scale, y / scale), screen.Pixel(left + x, top + y),
                        3) != 0)
          return false;
    return true;
  };
  for (int top = 0; top + height <= screen.height; ++top)
    for (int left = 0; left + width <= screen.width; ++left)
      if (matches(left, top)) {
        std::printf("%d %d\n", left, top);
        return 0;
      }
  return 1;
}

int Launch(Display* display, const Options& options);

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(argv[0]);
  const std::string command = argv[1];
  Options options;
  if (command == "launch" && !ParseOptions(argc, argv, &options)) return Usage(argv[0]);
  const auto commands = {"launch", "shot", "pixel", "compare", "locate"};
  if (std::find(commands.begin(), commands.end(), command) == commands.end())
    return Usage(argv[0]);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the display named by DISPLAY\n", argv[0]);
    return 2;
  }
  int status = 0;
  tools::Image screen;
  if (command == "launch") {
    status = Launch(display, options);
  } else if (!Shoot(display, &screen)) {
    std::fprintf(stderr, "%s: the screen could not be read\n", argv[0]);
    status = 2;
  } else {
    status = command == "shot"     ? Shot(screen, argc, argv)
             : command == "pixel"  ? Pixel(screen, argc, argv)
             : command == "locate" ? Locate(screen, argc, argv)
                                   : Compare(screen, argc, argv);
  }
  XCloseDisplay(display);
  return status;
}

namespace {

int Launch(Display* display, const Options& options) {
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    close(ConnectionNumber(display));
    execvp(options.command[0], options.command);
    std::perror(options.command[0]);
    _exit(127);
  }

  const auto deadline = start + std::chrono::seconds(20);
  bool first = false, titled = options.title.empty();
  XEvent event;
  while ((!first || !titled) && NextEvent(display, deadline, &event)) {
    if (event.type != MapNotify) continue;
    if (!first) std::printf("first-map-ms %.1f\n", MillisecondsSince(start));
    first = true;
    if (!titled && TitleOf(display, event.xmap.window) == options.title) {
      std::printf("title-map-ms %.1f\n", MillisecondsSince(start));
      titled = true;
    }
  }
  std::fflush(stdout);
  bool complete = first && titled;

  if (complete) {
    std::this_thread::sleep_for(std::chrono::milliseconds(options.settleMs));
    std::printf("rss-kib %ld\n", StatusField(pid, "VmRSS:"));
    if (options.idleMs > 0) {
      const long long before = CpuTicks(pid);
      std::this_thread::sleep_for(std::chrono::milliseconds(options.idleMs));
      const long long used = CpuTicks(pid) - before;
      std::printf("idle-cpu-percent %.1f\n",
                  100.0 * static_cast<double>(used) / static_cast<double>(sysconf(_SC_CLK_TCK)) /
                      (options.idleMs / 1000.0));
    }
  }
  if (options.term) {
    kill(pid, SIGTERM);
    const int status = WaitForExit(pid, 10000);
    if (status >= 0) std::printf("exit-status %d\n", status);
    complete = complete && status >= 0;
  } else {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  return complete ? 0 : 1;
}

}  // namespace
