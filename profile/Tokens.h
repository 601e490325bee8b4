#pragma once

#include <span>
#include <string_view>
#include <vector>

// The tokens of a line: a token starts at a character that is neither white
// space (blank, tab, line feed, vertical tab, form feed, carriage return) nor
// a comma and that follows such a separator or the start of the line; it
// runs to the next separator. At most maxTokens are returned.
std::vector<std::string_view> SplitTokens(std::string_view line, std::size_t maxTokens);

// The decimal number at the start of text, as atof reads it: leading white
// space skipped, then [+-]digits[.digits][e[+-]digits]; text without such a
// prefix gives 0. Only decimal notation is read (no hex, inf or nan), and the
// result does not depend on the locale. The value is correctly rounded; a
// number beyond the range of a double gives infinity, one below it zero.
double DecimalPrefix(std::string_view text);

// A decimal number read from the start of a text: how many characters it
// spans (0 when the text does not start with one) and its value.
struct DecimalNumber {
  std::size_t length = 0;
  double value = 0.0;
};

// The number DecimalPrefix reads, without skipping white space first, in one
// pass over its characters.
DecimalNumber ScanDecimal(std::string_view text);

// The first tokens of a line as SplitTokens gives them (at most
// numbers.size()), each read by ScanDecimal into numbers in one pass over the
// line; returns how many tokens there were.
std::size_t ScanTokenNumbers(std::string_view line, std::span<DecimalNumber> numbers);

// Whether text starts (after white space) with a decimal number.
bool HasDecimalPrefix(std::string_view text);

// The integer at the start of text, as atoi reads it, saturated to the int
// range instead of overflowing.
int IntegerPrefix(std::string_view text);

// The numbers of a list separated as SplitTokens separates tokens, each token
// a whole decimal number (as DecimalPrefix reads it) with a finite value.
// False, with numbers holding those before it, at the first token that is
// not one.
bool ParseNumberList(std::string_view text, std::vector<double>& numbers);

// Whether text is valid UTF-8 (the readers drop names in other encodings).
bool IsUtf8(std::string_view text);
