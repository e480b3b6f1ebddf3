// The lock states from the X server's named keyboard indicators, through the
// Xlib display that Qt's xcb platform opened.
#include <QGuiApplication>

#include "framework/LockKeyReader.h"

// Xlib's macros (Bool, Status) clash with Qt's headers, so it comes after them.
#include <X11/XKBlib.h>

namespace {

class X11LockKeyReader : public LockKeyReader {
 public:
  explicit X11LockKeyReader(Display* display) : m_display(display) {}

  std::optional<LockKeys> Read() const override {
    LockKeys keys;
    if (!IsOn("Caps Lock", keys.caps) || !IsOn("Num Lock", keys.num) || !IsOn("Scroll Lock", keys.scroll))
      return std::nullopt;
    return keys;
  }

 private:
  // False when the server has no indicator of that name.
  bool IsOn(const char* indicator, bool& on) const {
    const Atom name = XInternAtom(m_display, indicator, True);
    Bool state = False;
    if (name == None || !XkbGetNamedIndicator(m_display, name, nullptr, &state, nullptr, nullptr))
      return false;
    on = state != False;
    return true;
  }

  Display* m_display;
};

class UnreadableLockKeys : public LockKeyReader {
 public:
  std::optional<LockKeys> Read() const override { return std::nullopt; }
};

}  // namespace

std::unique_ptr<LockKeyReader> MakeX11LockKeyReader() {
  const auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 != nullptr && x11->display() != nullptr) return std::make_unique<X11LockKeyReader>(x11->display());
  return std::make_unique<UnreadableLockKeys>();
}
