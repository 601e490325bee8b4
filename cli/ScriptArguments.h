#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The words after a command word.
using Args = std::vector<std::string>;

// Each throws ScriptError with a message naming the bad word.

// A finite real number in C notation.
double ParseReal(const std::string& text);
// A decimal integer within lo..hi; what names the value in the message.
int ParseIntIn(const std::string& text, long lo, long hi, const char* what);
// on or off; anything else is an error naming the usage.
bool ParseSwitch(const std::string& word, const char* usage);
// A pixel coordinate (within a million of the origin).
int ParsePixel(const std::string& text);
// Refuses a count of arguments outside lo..hi with the command's usage.
void ExpectCount(const Args& args, std::size_t lo, std::size_t hi, const char* usage);
