// Script lines, one carried out whenever the program waits with nothing pending:
//   tick MS            let MS milliseconds pass, each due timer handled on the way
//   click X Y          a left press and release at client point (X, Y) of the main window, or
//                      of the active window while a modal one keeps the main window disabled
//   rclick X Y         the same with the right button; mclick, with the middle one; xclick,
//                      with the first side button (back)
//   key NAME           a key pressed and released on the window with the keyboard focus:
//                      F1..F12, Escape, Return, Tab, Space, Backspace, Delete, Home, End,
//                      Left, Right, Up, Down, PageUp, PageDown, letters, digits; with
//                      modifiers as Alt+F4, Shift+Tab, Ctrl+A
//   type TEXT          the rest of the line (UTF-8) as typed characters, those of the program's
//                      code page (Windows-1252)
//   close              the window manager's close of the main window (its close box)
//   suspend, resume    the program put aside and brought back, as a hidden and shown page
//   move X Y           the main window dragged to screen point (X, Y)
//   pixel X Y          prints the colour of client pixel (X, Y) of the main window as RRGGBB
//   shot NAME          the main window's client area as OUTDIR/NAME.png
//   screen NAME        the whole virtual desktop, every visible window on it, as OUTDIR/NAME.png
//   frame NAME CLASS [TITLE]  the desktop within the frame of the first visible top-level window
//                      of the class (and title), as OUTDIR/NAME.png: that window as a display
//                      that composes it shows it, with what stands over it
//   state              the program's state, as the program describes it (if it can)
//   find N left|right  a click on item N of the program's own choosing (if it can), in the
//                      left or right half; `find next` is the first item not found yet, and no
//                      click at all when there is none
// Every click, key and character goes through the hosts' own input module (host/input.h).
//   endsession         the session ends, as a signal makes the SDL2 host end it: the windows
//                      hear WM_QUERYENDSESSION and WM_ENDSESSION, and the program ends there
//   # ...              a comment
// Printed, one line each as it happens: debug TEXT, sound ALIAS, msgbox "CAPTION" "TEXT"
// BUTTONS, dialog ID, exit CODE; "running" when the script ends first, and "session ended"
// when the program ended with the session.
#include "replay.h"

#include <mmsystem.h>
#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "gdi/gdi_state.h"
#include "host/headless_host.h"
#include "host/input.h"
#include "image.h"
#include "kernel/debug_output.h"
#include "user/compose.h"
#include "user/message_box.h"
#include "user/session.h"
#include "user/user_state.h"
#include "winmm/sound.h"

namespace replay {
namespace {

namespace user = platform::user;
namespace host = platform::host;

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// The program's main window: its first top-level window that is not a dialog.
HWND MainWindow() {
  for (HWND hwnd : user::State().order) {
    user::Window* w = user::FindWindowOf(hwnd);
    if (w != nullptr && w->parent == nullptr && w->windowClass->name != "#32770") return hwnd;
  }
  return nullptr;
}

bool SavePixels(const platform::gdi::PixelBuffer& pixels, const std::string& path) {
  tools::Image image = tools::MakeImage(pixels.width, pixels.height);
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint32_t p = pixels.Row(y)[x];
      std::uint8_t* out = image.Pixel(x, y);
      out[0] = static_cast<std::uint8_t>(p >> 16), out[1] = static_cast<std::uint8_t>(p >> 8),
      out[2] = static_cast<std::uint8_t>(p);
    }
  std::string error;
  return tools::SavePng(path, image, &error);
}

class Runner {
 public:
  Runner(std::vector<std::string> lines, std::string outDir, Hooks hooks)
      : lines_(std::move(lines)), outDir_(std::move(outDir)), hooks_(std::move(hooks)) {}

  // The next lines up to one that gives the program something to do; false at the end.
  bool Next() {
    while (at_ < lines_.size()) {
      std::string line = lines_[at_++];
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      const std::size_t start = line.find_first_not_of(' ');
      if (start == std::string::npos || line[start] == '#') continue;
      std::istringstream words(line.substr(start));
      std::string command;
      words >> command;
      if (command == "tick") {
        long ms = -1;
        words >> ms;
        if (ms < 0) return Fail("tick takes milliseconds");
        host_->AdvanceBy(static_cast<std::uint64_t>(ms));
        return true;
      }
      if (command == "click" || command == "rclick" || command == "mclick" || command == "xclick") {
        int x = 0, y = 0;
        if (!(words >> x >> y)) return Fail(command + " takes X Y");
        Click(x, y, command == "rclick"   ? host::Button::kRight
                    : command == "mclick" ? host::Button::kMiddle
                    : command == "xclick" ? host::Button::kX1
                                          : host::Button::kLeft);
        return true;
      }
      if (command == "close") {
        host::QueueClose(MainWindow());
        return true;
      }
      if (command == "suspend" || command == "resume") {
        command == "suspend" ? host::Suspend() : host::Resume();
        return true;
      }
      if (command == "key") {
        std::string name;
        words >> name;
        if (!PressKey(name)) return Fail("unknown key '" + name + "'");
        return true;
      }
      if (command == "type") {
        const std::string text =
            line.substr(line.find("type") + 5 <= line.size() ? line.find("type") + 5 : line.size());
        host::QueueText(text);
        return true;
      }
      if (command == "move") {
        int x = 0, y = 0;
        if (!(words >> x >> y)) return Fail("move takes X Y");
        SetWindowPos(MainWindow(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return true;
      }
      if (command == "pixel") {
        int x = -1, y = -1;
        if (!(words >> x >> y)) return Fail("pixel takes X Y");
        const user::Window* main = user::FindWindowOf(MainWindow());
        if (main == nullptr || x < 0 || y < 0 || x >= main->surface.width ||
            y >= main->surface.height)
          return Fail("pixel " + std::to_string(x) + " " + std::to_string(y) + " is outside");
        char text[64];
        std::snprintf(text, sizeof text, "pixel %d %d %06X", x, y,
                      static_cast<unsigned>(main->surface.Row(y)[x] & 0xFFFFFF));
        Print(text);
        continue;
      }
      if (command == "state") {
        if (!hooks_.state) return Fail("this program has no state to show");
        for (const std::string& stateLine : hooks_.state()) Print(stateLine);
        continue;
      }
      if (command == "find") {
        std::string which, half;
        if (!(words >> which >> half) || (half != "left" && half != "right"))
          return Fail("find takes N left|right or next left|right");
        const bool next = which == "next";
        const int item = next ? kNextItem : std::atoi(which.c_str());
        POINT point;
        if (!hooks_.findPoint) return Fail("this program has nothing to find");
        if (!hooks_.findPoint(item, half == "right", &point)) {
          if (next) continue;  // nothing left to find: nothing happens
          return Fail("there is no item " + which);
        }
        Click(point.x, point.y, host::Button::kLeft);
        return true;
      }
      if (command == "endsession") {
        user::EndSession(ENDSESSION_CRITICAL);
        Print("session ended");
        std::exit(0);  // as the hosts end the program after its windows heard the end
      }
      if (command == "frame") {
        std::string name, windowClass;
        words >> name >> windowClass;
        std::string title;
        std::getline(words >> std::ws, title);
        if (windowClass.empty()) return Fail("frame takes NAME CLASS [TITLE]");
        const HWND hwnd = TopLevel(windowClass, title);
        if (hwnd == nullptr) return Fail("no window " + windowClass + " " + title);
        const RECT frame = user::FindWindowOf(hwnd)->window;
        platform::gdi::PixelBuffer part;
        part.Resize(frame.right - frame.left, frame.bottom - frame.top,
                    platform::gdi::PixelFromColorref(GetSysColor(COLOR_DESKTOP)));
        user::ComposeScreen(part, frame.left, frame.top);
        if (!SavePixels(part, outDir_ + "/" + name + ".png"))
          Print("error line " + std::to_string(at_) + ": " + name + ".png not written");
        continue;
      }
      if (command == "shot" || command == "screen") {
        std::string name;
        words >> name;
        if (name.empty()) return Fail(command + " takes a NAME");
        Shoot(command == "screen", name);
        continue;  // nothing for the program to do: on to the next line
      }
      return Fail("unknown command '" + command + "'");
    }
    return false;
  }

  void SetHost(platform::host::HeadlessHost* host) { host_ = host; }
  bool failed() const { return failed_; }

 private:
  bool Fail(const std::string& why) {
    Print("error line " + std::to_string(at_) + ": " + why);
    failed_ = true;
    return false;
  }

  void Click(int x, int y, host::Button button) {
    HWND target = MainWindow();
    // While a modal window holds the main window disabled, the click goes to that window.
    if (target != nullptr && !IsWindowEnabled(target)) target = user::State().active;
    if (target == nullptr) return;
    host::QueueButton(target, x, y, button, true);
    host::QueueButton(target, x, y, button, false);
  }

  // A key pressed and let go, as a keyboard does it: the modifiers first, and what the key types
  // between its press and its release.
  static bool PressKey(std::string name) {
    bool alt = false, shift = false, control = false;
    for (std::size_t plus; (plus = name.find('+')) != std::string::npos && plus + 1 < name.size();
         name.erase(0, plus + 1)) {
      const std::string modifier = name.substr(0, plus);
      if (strcasecmp(modifier.c_str(), "Alt") == 0)
        alt = true;
      else if (strcasecmp(modifier.c_str(), "Shift") == 0)
        shift = true;
      else if (strcasecmp(modifier.c_str(), "Ctrl") == 0)
        control = true;
      else
        return false;
    }
    if (strcasecmp(name.c_str(), "Esc") == 0) name = "Escape";
    const WPARAM vk = host::VirtualKeyNamed(name);
    if (vk == 0) return false;
    if (shift) host::QueueKey(VK_SHIFT, true, false, false);
    if (control) host::QueueKey(VK_CONTROL, true, false, false);
    host::QueueKey(vk, true, alt, false);
    if (!alt && !control)
      if (const char c = host::KeyCharacter(vk, shift)) host::QueueCharacter(static_cast<unsigned char>(c));
    host::QueueKey(vk, false, alt, false);
    if (control) host::QueueKey(VK_CONTROL, false, false, false);
    if (shift) host::QueueKey(VK_SHIFT, false, false, false);
    return true;
  }

  static HWND TopLevel(const std::string& windowClass, const std::string& title) {
    for (HWND hwnd : user::State().order) {
      const user::Window* w = user::FindWindowOf(hwnd);
      if (w != nullptr && w->parent == nullptr && (w->style & WS_VISIBLE) &&
          w->windowClass->name == windowClass && (title.empty() || w->text == title))
        return hwnd;
    }
    return nullptr;
  }

  void Shoot(bool wholeScreen, const std::string& name) {
    const std::string path = outDir_ + "/" + name + ".png";
    bool saved = false;
    if (wholeScreen) {
      saved = SavePixels(platform::gdi::Screen(), path);
    } else if (user::Window* main = user::FindWindowOf(MainWindow())) {
      saved = SavePixels(main->surface, path);
    }
    if (!saved) Print("error line " + std::to_string(at_) + ": " + path + " not written");
  }

  std::vector<std::string> lines_;
  std::string outDir_;
  Hooks hooks_;
  std::size_t at_ = 0;
  platform::host::HeadlessHost* host_ = nullptr;
  bool failed_ = false;
};

std::string Quoted(const char* text) {
  std::string out = "\"";
  for (const char* c = text; *c; ++c) {
    if (*c == '"' || *c == '\\') out += '\\';
    if (*c == '\r') continue;
    out += *c == '\n' ? std::string("\\n") : std::string(1, *c);
  }
  return out + "\"";
}

const char* ButtonsName(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return "OKCANCEL";
    case MB_YESNO:
      return "YESNO";
    default:
      return "OK";
  }
}

}  // namespace

int Run(const std::string& scriptPath, const std::string& outDir, EntryPoint program,
        Hooks hooks) {
  std::ifstream in(scriptPath);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", scriptPath.c_str());
    return 2;
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);

  platform::SetDebugOutputSink([](std::string_view text) {
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    Print("debug " + line);
  });
  platform::winmm::SetSoundSink(
      [](const std::string& alias, const std::string&) { Print("sound " + alias); });
  user::SetMessageBoxObserver([](const char* caption, const char* text, UINT type) {
    Print("msgbox " + Quoted(caption) + " " + Quoted(text) + " " + ButtonsName(type));
  });
  user::SetDialogObserver([](unsigned id) { Print("dialog " + std::to_string(id)); });

  Runner runner(std::move(lines), outDir, std::move(hooks));
  platform::host::HeadlessHost host([&runner] {
    if (runner.Next()) return true;
    if (!runner.failed()) Print("running");
    std::fflush(stdout);
    std::_Exit(runner.failed() ? 2 : 0);  // the program is stopped where it stands
  });
  runner.SetHost(&host);
  char commandLine[] = "";
  const int code = program(reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000)),
                           nullptr, commandLine, SW_SHOWDEFAULT);
  Print("exit " + std::to_string(code));
  return 0;
}

}  // namespace replay
