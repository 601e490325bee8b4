#pragma once

#include <string>

// A JSON string: quotes, backslashes and control characters escaped, other
// bytes (UTF-8) as they are.
std::string JsonQuoted(const std::string& text);
