// Reading the keyboard's lock states (Caps, Num and Scroll Lock) behind a
// small interface, so that the status bar's indicators can be tested with a
// faked keyboard.
#pragma once

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
};

// The X server's keyboard indicators (XKB) on the xcb platform; on any other
// platform (offscreen, Wayland) a reader that reads nothing.
std::unique_ptr<LockKeyReader> MakeX11LockKeyReader();
