#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "profile/FileType.h"
#include "profile/ProfileFormat.h"

// The format of a profile named on the command line: Rigaku when a line, as
// the readers see it (see LoadProfileText and LineReader), starts with the
// header key "*COUNT", else X-Y. A file that cannot be read, or that is not a
// regular file (a FIFO is never waited on), counts as X-Y; the open command
// then reports it.
FileType DetectFileType(const std::string& path);

// What content detection makes of a file: the format it is read as, or, for
// a file of no format the program reads, what it was recognised as.
struct Detection {
  std::optional<ProfileFormat> format;
  std::string recognised;
};

// Detects the format of a file's whole contents, whatever its name:
// - a zip archive: RASX with a member Data0/Profile0.txt, BRML with
//   Experiment0/DataContainer.xml or Experiment0/RawData0.xml;
// - XML: XRDML when the root element is xrdMeasurements;
// - Bruker RAW by its first bytes;
// - text: RAS with a line starting "*RAS_DATA_START", RINT with one starting
//   "*COUNT" (as DetectFileType), CIF powder data with lines starting
//   "data_" and "_pd_", UXD, GSAS and CHI, otherwise an X-Y list.
// Other binary files (a NUL byte near the start), other XML documents and
// archives without those members are recognised but not read.
Detection DetectProfileFormat(std::string_view bytes);

// Reads a file for DetectProfileFormat: the whole of a text file, and of a
// file that starts as a zip archive or XML document at most
// kMaxDocumentBytes (more is refused with a reason). False with a short
// reason when the file cannot be read, as LoadProfileText.
bool LoadProfileBytes(const std::string& path, std::string& bytes, std::string& error);
