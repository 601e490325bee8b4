#pragma once

// Reading and writing the values of a session file, for the session layer's
// own sources: numbers that read back to the same bits, and fields whose
// absence or bad value is refused with the key path that names it.

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using Json = nlohmann::ordered_json;

// What is wrong with a session file, naming the key (what() is translated).
class SessionError : public std::runtime_error {
 public:
  explicit SessionError(const std::string& reason) : std::runtime_error(reason) {}
};

// A number as JSON: a finite one as a number (the shortest text that reads
// back to the same bits), NaN and the infinities as "nan", "inf", "-inf".
Json NumberJson(double value);
Json OptionalJson(const std::optional<double>& value);
Json NumbersJson(const std::vector<double>& values, std::size_t first = 0);
// A 64-bit digest as 16 hexadecimal digits (JSON numbers hold 53 bits).
Json DigestJson(std::uint64_t digest);

// A field's value, the key path of which names it in a refusal ("view.range").
class Field {
 public:
  Field(const Json& value, std::string where) : m_value(value), m_where(std::move(where)) {}

  const Json& Value() const { return m_value; }
  const std::string& Where() const { return m_where; }
  // A member of this object; refused when missing (or this is no object).
  Field operator[](const char* key) const;
  // A member that may be missing or null.
  bool Has(const char* key) const;
  // Element i of this array.
  Field At(std::size_t i) const;
  // The elements of this array, at most maxSize of them.
  std::size_t Size(std::size_t maxSize) const;

  double Real() const;  // any number, "nan", "inf", "-inf"
  double Finite() const;
  double FiniteIn(double lo, double hi) const;
  std::optional<double> OptionalFinite() const;  // null: none
  std::optional<double> OptionalReal() const;
  int Int(int lo, int hi) const;
  bool Bool() const;
  std::string String() const;
  std::uint64_t Digest() const;
  std::vector<double> Reals(std::size_t maxSize) const;
  std::vector<int> Ints(std::size_t maxSize, int lo, int hi) const;

  // Refusals naming this field.
  [[noreturn]] void Wrong() const;
  [[noreturn]] void OutOfRange(const std::string& allowed) const;
  [[noreturn]] void Unknown(const std::string& name) const;

 private:
  const Json& m_value;
  std::string m_where;
};

// An enumeration by the names of its values (names[i] for value i).
template <class Enum, std::size_t N>
Json EnumJson(Enum value, const std::array<const char*, N>& names) {
  return names.at(static_cast<std::size_t>(value));
}

template <class Enum, std::size_t N>
Enum EnumOf(const Field& field, const std::array<const char*, N>& names) {
  const std::string name = field.String();
  for (std::size_t i = 0; i < N; ++i) {
    if (name == names[i]) return static_cast<Enum>(i);
  }
  field.Unknown(name);
}
