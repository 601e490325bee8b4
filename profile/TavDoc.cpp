#include "profile/TavDoc.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace {

void CheckPointCount(std::size_t n) {
  if (n > static_cast<std::size_t>(CTavDoc::kMaxPoints)) {
    throw std::length_error("CTavDoc: more points than the document holds");
  }
}

}  // namespace

CTavDoc::CTavDoc() : m_x(1, 0.0), m_y(1, 0.0) {}

void CTavDoc::Reserve(int n) {
  const std::size_t size = static_cast<std::size_t>(n < 0 ? 0 : n) + 1;
  if (m_x.size() < size) m_x.resize(size, 0.0);
  if (m_y.size() < size) m_y.resize(size, 0.0);
}

void CTavDoc::ComputeYExtremes() {
  m_yMax = m_yMin = m_y[1];
  for (int i = 1; i <= m_nData; ++i) {
    if (m_y[i] > m_yMax) m_yMax = m_y[i];
    if (m_y[i] < m_yMin) m_yMin = m_y[i];
  }
}

void CTavDoc::SetPoints(const std::vector<double>& x, const std::vector<double>& y) {
  CheckPointCount(x.size());
  const int n = static_cast<int>(x.size());
  Reserve(n);
  m_nData = n;
  m_sigma.clear();
  m_countSigma.clear();
  for (int i = 1; i <= n; ++i) {
    m_x[i] = x[i - 1];
    m_y[i] = y[i - 1];
  }
  if (n == 0) return;
  m_start = m_x[1];
  m_step = n > 1 ? m_x[2] - m_x[1] : 0.0;
  m_stop = m_x[n];
}

void CTavDoc::SetCounts(const std::vector<double>& counts, int n) {
  CheckPointCount(static_cast<std::size_t>(n < 0 ? 0 : n));
  Reserve(n);
  m_nData = n;
  m_sigma.clear();
  m_countSigma.clear();
  for (int i = 1; i <= n; ++i) {
    m_y[i] = counts[i - 1];
    m_x[i] = (i - 1) * m_step + m_start;
  }
}

void CTavDoc::SetWavelengths(const Wavelengths& wavelengths, WavelengthSource source) {
  m_wavelengths = wavelengths;
  m_wavelengthSource = wavelengths.Any() ? source : WavelengthSource::kNone;
}

void CTavDoc::SetOrigin(ProfileFormat format, const std::string& path,
                        std::optional<std::string> sample) {
  m_format = format;
  m_path = path;
  m_sample = std::move(sample);
  m_startTime.reset();
  SetScan(1, 1);
  SetXAxis("2theta", "deg");
}

void CTavDoc::SetScan(int scan, int scans) {
  m_scan = scan;
  m_scans = scans;
}

void CTavDoc::SetXAxis(const std::string& quantity, const std::string& unit) {
  m_xQuantity = quantity;
  m_xUnit = unit;
}

void CTavDoc::SetUncertainties(const std::vector<double>& sigma) {
  m_sigma.clear();
  if (sigma.empty() || sigma.size() != static_cast<std::size_t>(m_nData)) return;
  m_sigma.reserve(sigma.size() + 1);
  m_sigma.push_back(0.0);
  m_sigma.insert(m_sigma.end(), sigma.begin(), sigma.end());
}

std::uint64_t CTavDoc::PointsFingerprint() const {
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
  std::uint64_t digest = static_cast<std::uint64_t>(m_nData);
  const auto mix = [&digest](double value) {
    digest = (std::rotl(digest, 23) ^ std::bit_cast<std::uint64_t>(value)) * kMultiplier;
  };
  for (int i = 1; i <= m_nData; ++i) {
    mix(m_x[i]);
    mix(m_y[i]);
  }
  return digest;
}

void CTavDoc::SetCountFactors(const std::vector<double>& factors) {
  m_countSigma.clear();
  if (factors.empty() || factors.size() != static_cast<std::size_t>(m_nData)) return;
  m_countSigma.assign(static_cast<std::size_t>(m_nData) + 1, 0.0);
  for (int i = 1; i <= m_nData; ++i) {
    const double f = factors[static_cast<std::size_t>(i - 1)];
    const double counts = f != 0.0 ? std::max(m_y[i] / f, 0.0) : 0.0;
    m_countSigma[i] = std::fabs(f) * std::sqrt(counts + 1.0);
  }
}

double CTavDoc::CountingSigma(int i) const {
  if (!m_countSigma.empty()) return m_countSigma[i];
  return std::sqrt(std::max(m_y[i], 0.0) + 1.0);
}

void CTavDoc::KeepCountingSigma() {
  if (!m_countSigma.empty() || m_nData == 0) return;
  std::vector<double> sigma(static_cast<std::size_t>(m_nData) + 1, 0.0);
  for (int i = 1; i <= m_nData; ++i) sigma[i] = CountingSigma(i);
  m_countSigma = std::move(sigma);
}

void CTavDoc::NoteReadFromFile(int skipLines, int lastLine) {
  m_asRead = ReadRecipe{skipLines, lastLine, PointsFingerprint(), true};
}

bool CTavDoc::PointsAsRead() const {
  return m_asRead.known && m_nData > 0 && m_asRead.fingerprint == PointsFingerprint();
}
