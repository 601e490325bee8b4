#include "session/JsonFields.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>

#include "text/Translate.h"

Json NumberJson(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  return value;
}

Json OptionalJson(const std::optional<double>& value) {
  return value ? NumberJson(*value) : Json(nullptr);
}

Json NumbersJson(const std::vector<double>& values, std::size_t first) {
  Json list = Json::array();
  for (std::size_t i = first; i < values.size(); ++i) list.push_back(NumberJson(values[i]));
  return list;
}

Json DigestJson(std::uint64_t digest) {
  char text[20];
  std::snprintf(text, sizeof text, "%016" PRIx64, digest);
  return text;
}

Field Field::operator[](const char* key) const {
  const std::string where = m_where.empty() ? key : m_where + "." + key;
  if (!m_value.is_object() || !m_value.contains(key))
    throw SessionError(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 がありません"), {where}));
  return Field(m_value.at(key), where);
}

bool Field::Has(const char* key) const {
  return m_value.is_object() && m_value.contains(key) && !m_value.at(key).is_null();
}

Field Field::At(std::size_t i) const {
  return Field(m_value.at(i), m_where + "[" + std::to_string(i) + "]");
}

std::size_t Field::Size(std::size_t maxSize) const {
  if (!m_value.is_array()) Wrong();
  if (m_value.size() > maxSize) OutOfRange("≤ " + std::to_string(maxSize));
  return m_value.size();
}

double Field::Real() const {
  if (m_value.is_number()) return m_value.get<double>();
  if (m_value.is_string()) {
    const std::string& text = m_value.get_ref<const std::string&>();
    if (text == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (text == "inf") return std::numeric_limits<double>::infinity();
    if (text == "-inf") return -std::numeric_limits<double>::infinity();
  }
  Wrong();
}

double Field::Finite() const {
  const double value = Real();
  if (!std::isfinite(value)) Wrong();
  return value;
}

double Field::FiniteIn(double lo, double hi) const {
  const double value = Finite();
  if (value < lo || value > hi) {
    char range[80];
    std::snprintf(range, sizeof range, "%.17g..%.17g", lo, hi);
    OutOfRange(range);
  }
  return value;
}

std::optional<double> Field::OptionalFinite() const {
  if (m_value.is_null()) return std::nullopt;
  return Finite();
}

std::optional<double> Field::OptionalReal() const {
  if (m_value.is_null()) return std::nullopt;
  return Real();
}

int Field::Int(int lo, int hi) const {
  if (!m_value.is_number_integer()) Wrong();
  const std::int64_t value = m_value.get<std::int64_t>();
  if (value < lo || value > hi) OutOfRange(std::to_string(lo) + ".." + std::to_string(hi));
  return static_cast<int>(value);
}

bool Field::Bool() const {
  if (!m_value.is_boolean()) Wrong();
  return m_value.get<bool>();
}

std::string Field::String() const {
  if (!m_value.is_string()) Wrong();
  return m_value.get<std::string>();
}

std::uint64_t Field::Digest() const {
  const std::string text = String();
  if (text.size() != 16 || text.find_first_not_of("0123456789abcdef") != std::string::npos) Wrong();
  return std::stoull(text, nullptr, 16);
}

std::vector<double> Field::Reals(std::size_t maxSize) const {
  const std::size_t n = Size(maxSize);
  std::vector<double> values(n);
  for (std::size_t i = 0; i < n; ++i) values[i] = At(i).Real();
  return values;
}

std::vector<int> Field::Ints(std::size_t maxSize, int lo, int hi) const {
  const std::size_t n = Size(maxSize);
  std::vector<int> values(n);
  for (std::size_t i = 0; i < n; ++i) values[i] = At(i).Int(lo, hi);
  return values;
}

void Field::Wrong() const {
  throw SessionError(
      TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 の値が正しくありません"), {m_where}));
}

void Field::OutOfRange(const std::string& allowed) const {
  throw SessionError(
      TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 が範囲外です (%2)"), {m_where, allowed}));
}

void Field::Unknown(const std::string& name) const {
  throw SessionError(
      TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 が不明です: %2"), {m_where, name}));
}
