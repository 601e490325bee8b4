#include "commands/InstrumentFile.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "fit/PeakShapes.h"
#include "text/JsonText.h"

namespace {

constexpr const char* kFormat = "tav-instrument";
constexpr int kVersion = 1;

std::string Number(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

template <std::size_t N>
std::string MatrixText(const std::array<std::array<double, N>, N>& m) {
  std::string out = "[";
  for (std::size_t i = 0; i < N; ++i) {
    out += i ? ", [" : "[";
    for (std::size_t j = 0; j < N; ++j) out += (j ? ", " : "") + Number(m[i][j]);
    out += ']';
  }
  return out + ']';
}

std::string Mixing(const std::optional<MixingLine>& mixing) {
  if (!mixing) return "null";
  const PeakShape* shape = FindPeakShape(mixing->shape);
  return "{\"shape\": " + JsonQuoted(shape ? shape->name : "") +
         ", \"intercept\": " + Number(mixing->intercept) + ", \"slope\": " + Number(mixing->slope) +
         ", \"covariance\": " + MatrixText(mixing->covariance) + "}";
}

// A JSON value, as far as the instrument file needs one.
struct Json {
  enum class Kind { kNull, kNumber, kString, kArray, kObject, kBool } kind = Kind::kNull;
  double number = 0.0;
  std::string text;
  std::vector<Json> items;
  std::map<std::string, Json> members;
};

class JsonParser {
 public:
  explicit JsonParser(const std::string& text) : m_text(text) {}

  Json Document() {
    Json value = Value(0);
    Skip();
    if (m_pos != m_text.size()) Fail("text after the object");
    return value;
  }

 private:
  static constexpr int kMaxDepth = 16;

  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " at byte " + std::to_string(m_pos));
  }
  void Skip() {
    while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos])))
      ++m_pos;
  }
  bool Take(char c) {
    Skip();
    if (m_pos < m_text.size() && m_text[m_pos] == c) {
      ++m_pos;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail(std::string("expected '") + c + "'");
  }
  bool Word(const char* word) {
    const std::string w(word);
    if (m_text.compare(m_pos, w.size(), w) != 0) return false;
    m_pos += w.size();
    return true;
  }

  Json Value(int depth) {
    if (depth > kMaxDepth) Fail("nesting too deep");
    Skip();
    Json v;
    if (m_pos >= m_text.size()) Fail("unexpected end");
    const char c = m_text[m_pos];
    if (c == '{') return Object(depth);
    if (c == '[') return Array(depth);
    if (c == '"') {
      v.kind = Json::Kind::kString;
      v.text = String();
    } else if (Word("null")) {
      v.kind = Json::Kind::kNull;
    } else if (Word("true") || Word("false")) {
      v.kind = Json::Kind::kBool;
    } else {
      v.kind = Json::Kind::kNumber;
      v.number = NumberValue();
    }
    return v;
  }

  Json Object(int depth) {
    Json v;
    v.kind = Json::Kind::kObject;
    Expect('{');
    if (Take('}')) return v;
    do {
      Skip();
      const std::string key = String();
      Expect(':');
      v.members[key] = Value(depth + 1);
    } while (Take(','));
    Expect('}');
    return v;
  }

  Json Array(int depth) {
    Json v;
    v.kind = Json::Kind::kArray;
    Expect('[');
    if (Take(']')) return v;
    do {
      v.items.push_back(Value(depth + 1));
    } while (Take(','));
    Expect(']');
    return v;
  }

  std::string String() {
    if (m_pos >= m_text.size() || m_text[m_pos] != '"') Fail("expected a string");
    ++m_pos;
    std::string out;
    while (m_pos < m_text.size() && m_text[m_pos] != '"') {
      char c = m_text[m_pos++];
      if (c == '\\') {
        if (m_pos >= m_text.size()) break;
        c = m_text[m_pos++];
        if (c == 'u') {
          if (m_pos + 4 > m_text.size()) Fail("bad escape");
          const unsigned code =
              static_cast<unsigned>(std::strtoul(m_text.substr(m_pos, 4).c_str(), nullptr, 16));
          m_pos += 4;
          AppendUtf8(out, code);
          continue;
        }
        if (c == 'n') c = '\n';
        if (c == 't') c = '\t';
      }
      out += c;
    }
    if (m_pos >= m_text.size()) Fail("unterminated string");
    ++m_pos;
    return out;
  }

  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  double NumberValue() {
    const char* begin = m_text.c_str() + m_pos;
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin) Fail("expected a value");
    m_pos += static_cast<std::size_t>(end - begin);
    return value;
  }

  const std::string& m_text;
  std::size_t m_pos = 0;
};

const Json& Member(const Json& object, const char* key) {
  const auto found = object.members.find(key);
  if (found == object.members.end()) throw std::runtime_error(std::string("no \"") + key + '"');
  return found->second;
}

// A number; null (an unknown value) as NaN when allowed.
double NumberOf(const Json& value, const char* key, bool nullable = false) {
  if (value.kind == Json::Kind::kNull && nullable) return std::numeric_limits<double>::quiet_NaN();
  if (value.kind != Json::Kind::kNumber || !std::isfinite(value.number))
    throw std::runtime_error(std::string("\"") + key + "\" is not a number");
  return value.number;
}

template <std::size_t N>
std::array<std::array<double, N>, N> MatrixOf(const Json& value, const char* key) {
  std::array<std::array<double, N>, N> m{};
  if (value.kind != Json::Kind::kArray || value.items.size() != N)
    throw std::runtime_error(std::string("\"") + key + "\" is not a square matrix");
  for (std::size_t i = 0; i < N; ++i) {
    const Json& row = value.items[i];
    if (row.kind != Json::Kind::kArray || row.items.size() != N)
      throw std::runtime_error(std::string("\"") + key + "\" is not a square matrix");
    for (std::size_t j = 0; j < N; ++j) m[i][j] = NumberOf(row.items[j], key);
  }
  return m;
}

std::string StringOf(const Json& value, const char* key) {
  if (value.kind != Json::Kind::kString)
    throw std::runtime_error(std::string("\"") + key + "\" is not a string");
  return value.text;
}

std::optional<MixingLine> MixingOf(const Json& value) {
  if (value.kind == Json::Kind::kNull) return std::nullopt;
  const PeakShape* shape = FindPeakShapeNamed(StringOf(Member(value, "shape"), "shape"));
  if (shape == nullptr || !shape->HasShapeParameter())
    throw std::runtime_error("\"mixing\" names no mixed shape");
  MixingLine line;
  line.shape = shape->function;
  line.intercept = NumberOf(Member(value, "intercept"), "intercept");
  line.slope = NumberOf(Member(value, "slope"), "slope");
  line.covariance = MatrixOf<2>(Member(value, "covariance"), "covariance");
  return line;
}

InstrumentFunction InstrumentOf(const Json& root) {
  if (root.kind != Json::Kind::kObject) throw std::runtime_error("not a JSON object");
  if (StringOf(Member(root, "format"), "format") != kFormat)
    throw std::runtime_error("not a tav instrument file");
  if (NumberOf(Member(root, "version"), "version") != kVersion)
    throw std::runtime_error("unknown version");
  InstrumentFunction f;
  f.standard = StringOf(Member(root, "standard"), "standard");
  f.date = StringOf(Member(root, "date"), "date");
  const double wavelength = NumberOf(Member(root, "wavelength"), "wavelength", true);
  if (std::isfinite(wavelength)) {
    if (!(wavelength > 0.0)) throw std::runtime_error("\"wavelength\" is not positive");
    f.wavelength = wavelength;
  }
  ResolutionFunction& r = f.resolution;
  r.u = NumberOf(Member(root, "U"), "U");
  r.v = NumberOf(Member(root, "V"), "V");
  r.w = NumberOf(Member(root, "W"), "W");
  r.covariance = MatrixOf<3>(Member(root, "covariance"), "covariance");
  const Json& range = Member(root, "range");
  if (range.kind != Json::Kind::kArray || range.items.size() != 2)
    throw std::runtime_error("\"range\" is not two numbers");
  r.minTwoTheta = NumberOf(range.items[0], "range");
  r.maxTwoTheta = NumberOf(range.items[1], "range");
  if (!(r.minTwoTheta > 0.0 && r.minTwoTheta <= r.maxTwoTheta && r.maxTwoTheta < 180.0))
    throw std::runtime_error("\"range\" is not within 0..180 degrees");
  const double peaks = NumberOf(Member(root, "peaks"), "peaks");
  if (!(peaks >= 0.0 && peaks <= 1e6 && peaks == std::floor(peaks)))
    throw std::runtime_error("\"peaks\" is not a count");
  r.peaks = static_cast<int>(peaks);
  r.reducedChisq = NumberOf(Member(root, "reduced_chisq"), "reduced_chisq", true);
  r.mixing = MixingOf(Member(root, "mixing"));
  if (!FwhmSquaredPositiveOver(r, r.minTwoTheta, r.maxTwoTheta))
    throw std::runtime_error("FWHM squared is not positive over the range");
  return f;
}

}  // namespace

std::string FormatInstrumentFile(const InstrumentFunction& f) {
  const ResolutionFunction& r = f.resolution;
  std::string out = "{\n";
  out += "  \"format\": " + JsonQuoted(kFormat) + ",\n";
  out += "  \"version\": " + std::to_string(kVersion) + ",\n";
  out += "  \"standard\": " + JsonQuoted(f.standard) + ",\n";
  out += "  \"date\": " + JsonQuoted(f.date) + ",\n";
  out += "  \"wavelength\": " + (f.wavelength ? Number(*f.wavelength) : "null") + ",\n";
  out += "  \"U\": " + Number(r.u) + ",\n";
  out += "  \"V\": " + Number(r.v) + ",\n";
  out += "  \"W\": " + Number(r.w) + ",\n";
  out += "  \"covariance\": " + MatrixText(r.covariance) + ",\n";
  out += "  \"range\": [" + Number(r.minTwoTheta) + ", " + Number(r.maxTwoTheta) + "],\n";
  out += "  \"peaks\": " + std::to_string(r.peaks) + ",\n";
  out += "  \"reduced_chisq\": " + Number(r.reducedChisq) + ",\n";
  out += "  \"mixing\": " + Mixing(r.mixing) + "\n";
  return out + "}\n";
}

bool ParseInstrumentFile(const std::string& text, InstrumentFunction& instrument,
                         std::string& error) {
  try {
    instrument = InstrumentOf(JsonParser(text).Document());
    return true;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
}
