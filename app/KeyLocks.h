#pragma once

#include <optional>

// The states of the lock keys that the status bar's CAP, NUM and SCRL panes
// show.
struct KeyLockState {
  bool capsLock = false;
  bool numLock = false;
  bool scrollLock = false;
};

// The lock keys' states where the platform reports them: on X11, the
// keyboard's XKB indicators "Caps Lock", "Num Lock" and "Scroll Lock".
// Nothing elsewhere (Wayland, the offscreen platform), nor on a display whose
// keyboard has none of these indicators.
std::optional<KeyLockState> ReadKeyLocks();
