#pragma once

#include <string>

class CTavDoc;

// The one-line JSON object of the "info" command: the open profile's format,
// path, number of points, wavelengths and ratio, and sample name (null for
// what is unknown; format and path are null before the first open).
std::string InfoJson(const CTavDoc& doc);
