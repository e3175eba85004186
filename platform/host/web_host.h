// The web host: a page in a browser is the desktop. Every top-level window (the main window with
// its menu bar, the splash screen, dialogs, message boxes, menu popups) is composed by the subset,
// frames and captions included, into one canvas as large as the largest of them, and only what
// changed goes to the canvas. The page's listeners (web_host.js) only queue the player's input
// and the page's comings and goings; the program takes them here, in Wait,
// which is where it yields to the browser (ASYNCIFY) until input comes or the deadline passes,
// so that a tab standing idle runs nothing at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../kernel/host.h"
#include "composition.h"
#include "input.h"

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
    kButton = 1,     // a: x, b: y on the desktop; c: 1 pressed, + 2 x the button (Button)
    kKey = 2,        // a: virtual key; b: 1 down; c: 1 Alt held, 2 a repeat
    kCharacter = 3,  // a: the character typed, a Unicode code point
    kTouch = 4,      // a: x, b: y; c: the phase (Touch) + 4 x the touch's id
    kCancel = 5,     // the mouse's presses taken back
    kSuspend = 6,    // the page is hidden
    kResume = 7,     // and shown again
    kEnd = 8,        // the page goes
  };
  // Hands one event to the subset, as Wait does with what the page queued.
  void Take(const Event& event);

 private:
  void Present();
  void FollowTyping();

  Composition screen_;                // the desktop, kept from the damage
  std::vector<std::uint32_t> rgba_;   // the canvas's pixels, RGBA
  bool cursorSet_ = false;
  TextInput typing_;  // as the page was last told
  bool typingTold_ = false;
};

}  // namespace platform::host
