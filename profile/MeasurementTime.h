#pragma once

#include <optional>
#include <string_view>

// When a scan began, as a diffractometer's file states it, in seconds since
// 1970-01-01 00:00. A time with a zone offset is taken to UTC; one without
// (Rigaku's and Bruker's text files) is the instrument's clock as it reads,
// which orders and spaces the scans of one instrument all the same. Each
// parser takes the whole text, blanks and quotes around it allowed, and
// gives nothing for anything that is not such a time or not a date.

// ISO 8601 as XML files write it: "2020-11-06T18:09:37+00:00", with
// optional fractions of a second and "Z", "±HH:MM" or no zone.
std::optional<double> IsoTimestampSeconds(std::string_view text);

// Month first, as Rigaku's text and Bruker's binary files write it:
// "MM/DD/YY HH:MM:SS" (years 70-99 are 19xx, the rest 20xx) or
// "MM/DD/YYYY HH:MM:SS".
std::optional<double> UsTimestampSeconds(std::string_view text);

// Bruker's text header: "DD-Mon-YYYY HH:MM:SS" with an English month.
std::optional<double> BrukerTextTimestampSeconds(std::string_view text);
