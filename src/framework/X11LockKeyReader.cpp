// The lock states from the X server's named keyboard indicators, through the
// Xlib display that Qt's xcb platform opened, and their changes from XKB's
// indicator state events, which reach Qt's xcb event loop.
#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>
#include <cstdint>

#include "framework/LockKeyReader.h"

// Xlib's macros (Bool, Status) clash with Qt's headers, so it comes after them.
#include <X11/XKBlib.h>

namespace {

class X11LockKeyReader : public LockKeyReader, public QAbstractNativeEventFilter {
 public:
  explicit X11LockKeyReader(Display* display) : m_display(display) {}

  std::optional<LockKeys> Read() const override {
    LockKeys keys;
    if (!IsOn("Caps Lock", keys.caps) || !IsOn("Num Lock", keys.num) || !IsOn("Scroll Lock", keys.scroll))
      return std::nullopt;
    return keys;
  }

  void WatchChanges(std::function<void()> changed) override {
    int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(m_display, &opcode, &m_xkbEvent, &error, &major, &minor)) return;
    m_changed = std::move(changed);
    // Only this event's bit is changed: Qt's own XKB selections stay.
    XkbSelectEvents(m_display, XkbUseCoreKbd, XkbIndicatorStateNotifyMask, XkbIndicatorStateNotifyMask);
    XFlush(m_display);
    qGuiApp->installNativeEventFilter(this);  // the filter's destructor removes it
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    // An XKB event: the extension's event code in the first byte (its top bit
    // marks a sent event), XKB's own event type in the second.
    const auto* event = static_cast<const uint8_t*>(message);
    if (eventType == "xcb_generic_event_t" && (event[0] & 0x7F) == m_xkbEvent &&
        event[1] == XkbIndicatorStateNotify)
      m_changed();
    return false;
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
  int m_xkbEvent = -1;
  std::function<void()> m_changed;
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
