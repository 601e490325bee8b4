#pragma once

// The kinds of profile file the open command reads; the numbers are the
// file-type dialog's button ids. Auto reads any format, detected by content.
enum class FileType : int { None = -1, Xy = 0, Rigaku = 1, Auto = 2 };
