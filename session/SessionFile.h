#pragma once

#include <string>

class CTavView;

// The version of the session files this program writes; it reads every
// version from 1 up to it.
constexpr int kSessionVersion = 1;

// The session (the profile, the view's state with the fit problem, peaks,
// report and calibration, and the plot options) as the text of a session file
// to be saved at sessionPath. The profile is named by its paths, size and
// SHA-256; its points go into the file too when embed is set, and always when
// they are no longer those of the file (after a correction) or the file can
// no longer be read.
std::string FormatSession(const CTavView& view, const std::string& sessionPath, bool embed);

// Writes the session to path as every save writes (a failed write leaves an
// existing file as it was); false, with the reason, when it failed.
bool WriteSession(const CTavView& view, const std::string& path, bool embed, std::string& reason);

// Restores the session saved at path into the view and its document. A file
// that is not a session, is damaged, of a newer version or holds a value the
// view cannot take is refused with a message naming what is wrong, and so is
// a profile that cannot be found (the host is asked for it first) or read;
// nothing changes then. A profile whose bytes differ from those the session
// was saved with is read with a warning. Returns whether it was restored.
bool ReadSession(CTavView& view, const std::string& path);

// ﾌｧｲﾙ → セッションを保存 / セッションを開く: the dialog, then the above.
void OnSaveSession(CTavView& view, bool embed);
void OnOpenSession(CTavView& view);
