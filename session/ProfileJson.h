#pragma once

// The profile of a session file: where its file was (paths, size, SHA-256),
// how it was read, the header the document had, and optionally the points.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "profile/TavDoc.h"
#include "session/JsonFields.h"

struct SavedProfile {
  // The file (empty paths: none was read, or it could not be read when saved).
  std::string absolutePath;
  std::string relativePath;
  std::uintmax_t size = 0;
  std::string sha256;
  // How it was read.
  int scan = 1;
  int skipLines = 0;
  int lastLine = 0;
  std::uint64_t fingerprint = 0;
  // The document without its points, and the points when embedded.
  CTavDoc header;
  std::optional<CTavDoc> points;
};

// The "profile" part for the view's document, the points in it when embed is
// set, the document's points are no longer the file's, or the file cannot be
// read.
Json ProfileJson(const CTavDoc& doc, const std::string& sessionPath, bool embed);
SavedProfile SavedProfileOf(const Field& json);

// Puts the header the session kept into a document read again from the file:
// all of it when the points are those it was saved with, else only the
// wavelengths the user gave (the rest describes other points).
void ApplySavedHeader(const SavedProfile& saved, bool samePoints, CTavDoc& doc);
