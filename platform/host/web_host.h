// The web host: a page in a browser is the desktop. Every top-level window (the main window with
// its menu bar, the splash screen, dialogs, message boxes, menu popups) is composed by the subset,
// frames and captions included, into one canvas as large as the largest of them. The page's
// listeners (web_host.js) only queue the player's input; the program takes it here, in Wait,
// which is where it yields to the browser (ASYNCIFY) until input comes or the deadline passes,
// so that a tab standing idle runs nothing at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../gdi/pixels.h"
#include "../kernel/host.h"

namespace platform::host {

class WebHost : public Host {
 public:
  // Takes over the canvas of the page and the program's clock.
  WebHost();
  ~WebHost() override;

  std::uint64_t Now() override;
  bool Wait(std::uint64_t deadline) override;

  // What the page queues: one record of four numbers an event.
  struct Event {
    std::int32_t kind;
    std::int32_t a, b, c;
  };
  enum Kind : std::int32_t {
    kButton = 1,      // a: x, b: y on the desktop; c: 1 pressed, 2 the right button
    kKey = 2,         // a: virtual key; b: 1 down; c: 1 Alt held, 2 a repeat
    kCharacter = 3,   // a: the character, Windows-1252
    kEndSession = 4,  // the page is hidden or goes away
  };
  // Hands one event to the subset, as Wait does with what the page queued.
  void Take(const Event& event);

 private:
  void Present();
  void FollowFocus();

  gdi::PixelBuffer screen_;           // the desktop, composed at each wait
  std::vector<std::uint32_t> shown_;  // the canvas's pixels as last put there, RGBA
  int shownWidth_ = 0;
  bool cursorSet_ = false;
  bool textWanted_ = false;
};

}  // namespace platform::host
