#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "profile/Wavelengths.h"

// What a RINT ASCII file holds. Header keys that are missing stay empty.
struct RigakuProfile {
  std::optional<double> start;
  std::optional<double> step;
  std::optional<double> stop;
  std::optional<int> count;    // the *COUNT header value, when the header has one
  std::vector<double> values;  // intensities in file order
  // *WAVE_LENGTH1 and *WAVE_LENGTH2 in ångström; empty also when the value
  // text does not start with a number.
  std::optional<double> waveLength1;
  std::optional<double> waveLength2;
  // How many groups (scans) *GROUP_COUNT announces, at least 1, and which of
  // them, from 1, was read.
  int groups = 1;
  int group = 1;
};

// Reads a RINT ASCII profile from normalised text (see LoadProfileText).
// Header keys are the 17 characters "*KEY<padding>=" compared after tabs are
// expanded to 8-column stops; the value starts at column 20. The data block
// after *COUNT holds up to four values per line and ends at the end of the
// text, at a line shorter than 2 characters or at a line starting with '*'.
// A file with *GROUP_COUNT above 1 holds a block "*BEGIN ... *COUNT, data,
// *END" a group: group (from 1) picks one, its own header lines applied over
// those before it; group 1 reads as a file of one group. A group the file
// lacks gives no *COUNT.
RigakuProfile ReadRigakuProfile(std::string_view text, int group = 1);

// The wavelengths a RINT profile states: λ1 and λ2 from its header; the file
// gives no Kα2/Kα1 ratio, so that stays unknown.
Wavelengths RigakuWavelengths(const RigakuProfile& profile);

// The points of an X-Y list.
struct XyProfile {
  std::vector<double> x;
  std::vector<double> y;
  // The third number of every point's line, when each has one (in an XYE
  // file, the standard uncertainty of Y); else empty.
  std::vector<double> third;
  // Whether reading stopped at lastLine points while a further line of the
  // data block would have given one.
  bool stoppedBeforeEnd = false;
};

// Reads an X-Y list from normalised text: skipLines lines are skipped, then
// up to lastLine points are read, one per line, X from the first token and Y
// from the second. Reading stops at the end of the text or at a line shorter
// than 2 characters. A line needs two tokens that start with a number to give
// a point; any other line (a header, a lone number) gives none.
// stoppedBeforeEnd tells whether points were left unread.
XyProfile ReadXyProfile(std::string_view text, int skipLines, int lastLine);

// Whether the third column of an X-Y list is the standard uncertainty of Y:
// in a file named *.xye (any case), as powder diffraction programs write
// them. Elsewhere a third column may be anything (RASX profiles hold the
// attenuation there).
bool HasUncertaintyColumn(std::string_view path);
