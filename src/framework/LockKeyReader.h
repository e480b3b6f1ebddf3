// Reading the keyboard's lock states (Caps, Num and Scroll Lock) behind a
// small interface, so that the status bar's indicators can be tested with a
// faked keyboard.
#pragma once

#include <functional>
#include <memory>
#include <optional>

struct LockKeys {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

class LockKeyReader {
 public:
  virtual ~LockKeyReader() = default;
  // The locks as they are now; nullopt where the state cannot be read.
  virtual std::optional<LockKeys> Read() const = 0;
  // From now on calls changed whenever the keyboard reports that a lock
  // changed, whichever window has the focus; a reader that gets no such
  // reports never calls it.
  virtual void WatchChanges(std::function<void()> changed) { (void)changed; }
};

// The X server's keyboard indicators (XKB) on the xcb platform, watched
// through XKB's indicator state events; on any other platform (offscreen,
// Wayland) a reader that reads nothing.
std::unique_ptr<LockKeyReader> MakeX11LockKeyReader();
