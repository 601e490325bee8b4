#include "app/KeyLocks.h"

#include <QGuiApplication>

// Xlib's macros (None, Bool, Status, ...) clash with Qt's names: it comes last.
#ifdef TAV_HAVE_XKB
#include <X11/XKBlib.h>

namespace {

Display* X11Display() {
  if (qGuiApp == nullptr) return nullptr;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->display() : nullptr;
}

// The state of the named indicator, or nothing when the keyboard has none.
std::optional<bool> Indicator(Display* display, const char* name) {
  const Atom atom = XInternAtom(display, name, True);
  Bool on = False;
  if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
    return std::nullopt;
  }
  return on != False;
}

}  // namespace

std::optional<KeyLockState> ReadKeyLocks() {
  Display* display = X11Display();
  if (display == nullptr) return std::nullopt;
  const std::optional<bool> caps = Indicator(display, "Caps Lock");
  const std::optional<bool> num = Indicator(display, "Num Lock");
  const std::optional<bool> scroll = Indicator(display, "Scroll Lock");
  if (!caps && !num && !scroll) return std::nullopt;
  return KeyLockState{caps.value_or(false), num.value_or(false), scroll.value_or(false)};
}

#else

std::optional<KeyLockState> ReadKeyLocks() { return std::nullopt; }

#endif
