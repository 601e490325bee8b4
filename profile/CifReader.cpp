// CIF powder data (pdCIF): each data block with a profile is a scan.
#include "profile/MeasuredReaders.h"
#include "text/Translate.h"

#if defined(TAV_NO_CIF)

// clang 14 with libstdc++ 12 cannot compile gemmi's CIF headers as C++20 (a
// vector of a type still incomplete there): a build with it refuses CIF files.
MeasuredProfile ReadCif(std::string_view, int) {
  throw ProfileFormatError(Translated(QT_TRANSLATE_NOOP(
      "tav", "この版は CIF を読めません (CIF のパーサーなしでビルドされています)")));
}

#else

#include <algorithm>
#include <cmath>
#include <exception>
#include <gemmi/cif.hpp>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "profile/Tokens.h"

namespace cif = gemmi::cif;

namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

// Y in the order it is preferred: measured counts or intensity, then
// processed intensity.
constexpr const char* kMeasuredY[] = {"_pd_meas_counts_total", "_pd_meas_intensity_total"};
constexpr const char* kProcessedY[] = {"_pd_proc_intensity_total", "_pd_proc_intensity_net"};

[[noreturn]] void Fail(const std::string& reason) { throw ProfileFormatError(reason); }

// A CIF number with its standard uncertainty in parentheses, "1.234(5)" or
// "5540(160)"; su is NaN when the value has none.
struct Numb {
  double value = 0.0;
  double su = kUnknown;
};

// The uncertainty's digits count in units of the mantissa's last digit.
double Uncertainty(std::string_view digits, std::string_view mantissa) {
  const std::size_t point = mantissa.find('.');
  const std::size_t exponentAt = mantissa.find_first_of("eE");
  const std::size_t fractionEnd =
      exponentAt == std::string_view::npos ? mantissa.size() : exponentAt;
  const long decimals =
      point == std::string_view::npos ? 0 : static_cast<long>(fractionEnd - point - 1);
  const long exponent =
      exponentAt == std::string_view::npos ? 0 : IntegerPrefix(mantissa.substr(exponentAt + 1));
  return DecimalPrefix(std::string(digits) + "e" + std::to_string(exponent - decimals));
}

std::optional<Numb> ParseNumb(const std::string& raw) {
  const std::string text = cif::as_string(raw);
  const DecimalNumber number = ScanDecimal(text);
  if (number.length == 0 || !std::isfinite(number.value)) return std::nullopt;
  Numb numb{number.value, kUnknown};
  const std::string_view rest = std::string_view(text).substr(number.length);
  if (rest.empty()) return numb;
  if (rest.size() < 3 || rest.front() != '(' || rest.back() != ')') return std::nullopt;
  const std::string_view digits = rest.substr(1, rest.size() - 2);
  if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  numb.su = Uncertainty(digits, std::string_view(text).substr(0, number.length));
  return numb;
}

double NumberOf(const std::string* raw) {
  const std::optional<Numb> numb = raw ? ParseNumb(*raw) : std::nullopt;
  return numb ? numb->value : kUnknown;
}

// The first of tags that the block has as a column of values.
std::optional<std::pair<cif::Column, bool> > FindY(cif::Block& block) {
  for (const char* tag : kMeasuredY)
    if (cif::Column column = block.find_values(tag)) return std::pair{column, false};
  for (const char* tag : kProcessedY)
    if (cif::Column column = block.find_values(tag)) return std::pair{column, true};
  return std::nullopt;
}

bool HasProfile(cif::Block& block) { return FindY(block).has_value(); }

std::vector<Numb> ColumnNumbers(const cif::Column& column, const char* what) {
  std::vector<Numb> numbers;
  for (int i = 0; i < column.length(); ++i) {
    const std::optional<Numb> numb = ParseNumb(column.at(i));
    if (!numb)
      Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 の %2 番目の値が数ではありません"),
                            {what, std::to_string(i + 1)}));
    numbers.push_back(*numb);
  }
  return numbers;
}

// X evenly from a range's _min by _inc, as many points as Y, the range's
// _max where the last point falls.
std::optional<std::vector<double> > RangeX(const cif::Block& block, const std::string& prefix,
                                           std::size_t points) {
  const double min = NumberOf(block.find_value(prefix + "_min"));
  const double max = NumberOf(block.find_value(prefix + "_max"));
  const double inc = NumberOf(block.find_value(prefix + "_inc"));
  if (std::isnan(min) && std::isnan(max) && std::isnan(inc)) return std::nullopt;
  if (!std::isfinite(min) || !std::isfinite(max) || !std::isfinite(inc) || inc == 0.0 ||
      std::fabs((max - min) / inc - static_cast<double>(points - 1)) > 1e-3)
    Fail(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "%1_min, _max, _inc が %2 点の範囲になっていません"),
        {prefix, std::to_string(points)}));
  std::vector<double> x(points);
  for (std::size_t i = 0; i < points; ++i) x[i] = min + static_cast<double>(i) * inc;
  return x;
}

std::optional<std::vector<double> > ColumnX(cif::Block& block, const char* tag,
                                            std::size_t points) {
  const cif::Column column = block.find_values(tag);
  if (!column) return std::nullopt;
  if (static_cast<std::size_t>(column.length()) != points)
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 の値の数が強度の数 (%2) と違います"),
                          {tag, std::to_string(points)}));
  std::vector<double> x;
  for (const Numb& numb : ColumnNumbers(column, tag)) x.push_back(numb.value);
  return x;
}

// 2θ as processed (corrected) when the block gives it, else as measured.
std::vector<double> TwoTheta(cif::Block& block, std::size_t points) {
  if (auto x = ColumnX(block, "_pd_proc_2theta_corrected", points)) return *x;
  if (auto x = RangeX(block, "_pd_proc_2theta_range", points)) return *x;
  if (auto x = ColumnX(block, "_pd_meas_2theta_scan", points)) return *x;
  if (auto x = RangeX(block, "_pd_meas_2theta_range", points)) return *x;
  Fail(Translated(
      QT_TRANSLATE_NOOP("tav", "2θ (_pd_proc_2theta_*, _pd_meas_2theta_*) がありません")));
}

// σ of processed intensities from their least-squares weights: 1/√w, unknown
// for a point left out (w = 0) or a weight not stated.
std::vector<double> SigmaFromWeights(cif::Block& block, std::size_t points) {
  const cif::Column weights = block.find_values("_pd_proc_ls_weight");
  if (!weights || static_cast<std::size_t>(weights.length()) != points) return {};
  std::vector<double> sigma;
  for (int i = 0; i < weights.length(); ++i) {
    const double w = NumberOf(&weights.at(i));  // NaN for a weight not stated
    sigma.push_back(w > 0.0 ? 1.0 / std::sqrt(w) : kUnknown);
  }
  return sigma;
}

// λ₁, λ₂ and their ratio: a loop with weights gives the lines strongest
// first and the ratio of the second's weight to the first's.
std::optional<Wavelengths> WavelengthsOf(cif::Block& block) {
  const cif::Column lambdas = block.find_values("_diffrn_radiation_wavelength");
  if (!lambdas) return std::nullopt;
  const cif::Column weights = block.find_values("_diffrn_radiation_wavelength_wt");
  struct Line {
    double lambda;
    double weight;
  };
  std::vector<Line> lines;
  for (int i = 0; i < lambdas.length(); ++i) {
    const double lambda = NumberOf(&lambdas.at(i));
    const double weight =
        weights && weights.length() == lambdas.length() ? NumberOf(&weights.at(i)) : kUnknown;
    if (std::isfinite(lambda) && lambda > 0.0) lines.push_back({lambda, weight});
  }
  if (lines.empty()) return std::nullopt;
  std::stable_sort(lines.begin(), lines.end(),
                   [](const Line& a, const Line& b) { return a.weight > b.weight; });
  Wavelengths wavelengths;
  wavelengths.lambda1 = lines[0].lambda;
  if (lines.size() > 1) {
    wavelengths.lambda2 = lines[1].lambda;
    if (lines[0].weight > 0.0 && lines[1].weight >= 0.0)
      wavelengths.alpha2Ratio = lines[1].weight / lines[0].weight;
  }
  return wavelengths;
}

std::optional<std::string> TextOf(const cif::Block& block, const char* tag) {
  const std::string* raw = block.find_value(tag);
  if (!raw || cif::is_null(*raw)) return std::nullopt;
  std::string text = cif::as_string(*raw);
  const std::size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return std::nullopt;
  text = text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
  if (text == "?" || text == "." || !IsUtf8(text)) return std::nullopt;
  return text;
}

std::string DescriptionOf(const cif::Block& block, const std::string& yTag) {
  std::string description = "data_" + block.name + ", " + yTag;
  if (const auto temperature = TextOf(block, "_diffrn_ambient_temperature"))
    description += ", " + *temperature + " K";
  return description;
}

MeasuredProfile ReadBlock(cif::Document& document, cif::Block& block) {
  const auto [yColumn, processed] = *FindY(block);
  const std::string yTag = *yColumn.get_tag();
  const std::vector<Numb> y = ColumnNumbers(yColumn, yTag.c_str());
  if (y.empty()) Fail(Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません")));
  MeasuredProfile profile;
  profile.x = TwoTheta(block, y.size());
  const bool anyUncertainty =
      std::any_of(y.begin(), y.end(), [](const Numb& n) { return !std::isnan(n.su); });
  for (const Numb& numb : y) {
    profile.y.push_back(numb.value);
    if (anyUncertainty) profile.sigma.push_back(numb.su);
  }
  if (!anyUncertainty && processed) profile.sigma = SigmaFromWeights(block, y.size());
  // The wavelength may be stated in a block of its own.
  std::optional<Wavelengths> wavelengths = WavelengthsOf(block);
  for (auto other = document.blocks.begin(); !wavelengths && other != document.blocks.end();
       ++other)
    wavelengths = WavelengthsOf(*other);
  if (wavelengths) profile.wavelengths = *wavelengths;
  profile.sample = TextOf(block, "_pd_spec_id");
  if (!profile.sample) profile.sample = TextOf(block, "_chemical_name_common");
  profile.description = DescriptionOf(block, yTag);
  return profile;
}

cif::Document Parse(std::string_view bytes) {
  try {
    return cif::read_memory(bytes.data(), bytes.size(), "cif");
  } catch (const std::exception& error) {
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "CIF として読めません: %1"), {error.what()}));
  }
}

}  // namespace

MeasuredProfile ReadCif(std::string_view bytes, int scan) {
  cif::Document document = Parse(bytes);
  std::vector<cif::Block*> profiles;
  for (cif::Block& block : document.blocks)
    if (HasProfile(block)) profiles.push_back(&block);
  if (profiles.empty())
    Fail(Translated(
        QT_TRANSLATE_NOOP("tav", "粉末回折の強度 (_pd_meas_*, _pd_proc_*) がありません")));
  CheckedScan(scan, static_cast<int>(profiles.size()));
  MeasuredProfile profile = ReadBlock(document, *profiles[static_cast<std::size_t>(scan - 1)]);
  profile.scans = static_cast<int>(profiles.size());
  profile.scan = scan;
  return profile;
}

#endif
