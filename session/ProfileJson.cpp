#include "session/ProfileJson.h"

#include <array>
#include <climits>

#include "session/ProfileReference.h"
#include "session/ViewStateJson.h"

namespace {

constexpr std::array<const char*, 11> kFormats = {"rigaku", "xy",  "xrdml", "ras", "rasx", "brml",
                                                  "raw",    "uxd", "gsas",  "chi", "cif"};
constexpr std::array<const char*, 4> kSources = {"none", "file", "user", "default"};

// One-based values 1..n (slot 0 unused) as a list; none as null.
Json PointsJson(const std::vector<double>& values, int n) {
  if (values.size() <= static_cast<std::size_t>(n)) return nullptr;
  Json list = Json::array();
  for (int i = 1; i <= n; ++i) list.push_back(NumberJson(values[static_cast<std::size_t>(i)]));
  return list;
}

std::vector<double> PointsOf(const Field& f, std::size_t n) {
  if (f.Value().is_null()) return {};
  std::vector<double> values = f.Reals(n);
  if (values.size() != n) f.OutOfRange(std::to_string(n));
  values.insert(values.begin(), 0.0);
  return values;
}

Json EmbeddedJson(const CTavDoc& doc) {
  return Json{{"x", PointsJson(doc.m_x, doc.m_nData)},
              {"y", PointsJson(doc.m_y, doc.m_nData)},
              {"sigma", PointsJson(doc.m_sigma, doc.m_nData)},
              {"counting_sigma", PointsJson(doc.m_countSigma, doc.m_nData)}};
}

// The file's reference, when the document was read from a file that can
// still be read.
std::optional<ProfileReference> FileReference(const CTavDoc& doc, const std::string& sessionPath) {
  if (!doc.m_asRead.known || doc.m_path.empty()) return std::nullopt;
  std::string error;
  return ReferenceProfile(doc.m_path, sessionPath, error);
}

}  // namespace

Json ProfileJson(const CTavDoc& doc, const std::string& sessionPath, bool embed) {
  const std::optional<ProfileReference> file = FileReference(doc, sessionPath);
  const bool points = doc.m_nData > 0 && (embed || !file || !doc.PointsAsRead());
  Json json{{"path", file ? file->absolutePath : doc.m_path},
            {"relative_path", file ? file->relativePath : ""},
            {"opened_as", doc.m_path},
            {"size", file ? file->size : 0},
            {"sha256", file ? file->sha256 : ""},
            {"format", doc.m_format ? EnumJson(*doc.m_format, kFormats) : Json(nullptr)},
            {"scan", doc.m_scan},
            {"scans", doc.m_scans},
            {"skip_lines", doc.m_asRead.skipLines},
            {"last_line", doc.m_asRead.lastLine},
            {"sample", doc.m_sample ? Json(*doc.m_sample) : Json(nullptr)},
            {"x_quantity", doc.m_xQuantity},
            {"x_unit", doc.m_xUnit},
            {"points_count", doc.m_nData},
            {"start", NumberJson(doc.m_start)},
            {"step", NumberJson(doc.m_step)},
            {"stop", NumberJson(doc.m_stop)},
            {"y_min", NumberJson(doc.m_yMin)},
            {"y_max", NumberJson(doc.m_yMax)},
            {"wavelengths", WavelengthsJson(doc.m_wavelengths)},
            {"wavelength_source", EnumJson(doc.m_wavelengthSource, kSources)},
            {"fingerprint", DigestJson(doc.PointsFingerprint())},
            {"read_fingerprint", DigestJson(doc.m_asRead.fingerprint)},
            {"points", points ? EmbeddedJson(doc) : Json(nullptr)}};
  if (doc.m_startTime) json["start_time"] = NumberJson(*doc.m_startTime);
  return json;
}

SavedProfile SavedProfileOf(const Field& f) {
  SavedProfile saved;
  saved.absolutePath = f["path"].String();
  saved.relativePath = f["relative_path"].String();
  saved.sha256 = f["sha256"].String();
  saved.scan = f["scan"].Int(1, INT_MAX);
  saved.skipLines = f["skip_lines"].Int(0, INT_MAX);
  saved.lastLine = f["last_line"].Int(0, INT_MAX);
  saved.fingerprint = f["fingerprint"].Digest();
  CTavDoc& h = saved.header;
  if (f.Has("format")) h.m_format = EnumOf<ProfileFormat>(f["format"], kFormats);
  h.m_path = f.Has("opened_as") ? f["opened_as"].String() : saved.absolutePath;
  h.m_scan = saved.scan;
  h.m_scans = f["scans"].Int(1, INT_MAX);
  if (f.Has("sample")) h.m_sample = f["sample"].String();
  if (f.Has("start_time")) h.m_startTime = f["start_time"].Real();
  h.m_xQuantity = f["x_quantity"].String();
  h.m_xUnit = f["x_unit"].String();
  h.m_nData = f["points_count"].Int(0, CTavDoc::kMaxPoints);
  h.m_start = f["start"].Real();
  h.m_step = f["step"].Real();
  h.m_stop = f["stop"].Real();
  h.m_yMin = f["y_min"].Real();
  h.m_yMax = f["y_max"].Real();
  h.m_wavelengths = WavelengthsOf(f["wavelengths"]);
  h.m_wavelengthSource = EnumOf<WavelengthSource>(f["wavelength_source"], kSources);
  h.m_asRead = CTavDoc::ReadRecipe{saved.skipLines, saved.lastLine, f["read_fingerprint"].Digest(),
                                   h.m_format.has_value()};
  if (f.Has("points")) {
    const Field p = f["points"];
    const auto n = static_cast<std::size_t>(h.m_nData);
    CTavDoc doc = h;
    doc.m_x = PointsOf(p["x"], n);
    doc.m_y = PointsOf(p["y"], n);
    doc.m_sigma = PointsOf(p["sigma"], n);
    doc.m_countSigma = PointsOf(p["counting_sigma"], n);
    if (doc.m_x.empty() || doc.m_y.empty()) p["x"].Wrong();
    if (doc.PointsFingerprint() != saved.fingerprint) f["fingerprint"].Wrong();
    saved.points = std::move(doc);
  } else if (h.m_nData > 0 && saved.absolutePath.empty()) {
    f["points"].Wrong();
  }
  return saved;
}

void ApplySavedHeader(const SavedProfile& saved, bool samePoints, CTavDoc& doc) {
  const CTavDoc& h = saved.header;
  if (samePoints) {
    // Found where it was saved from: named as it was opened.
    if (doc.m_path == saved.absolutePath) doc.m_path = h.m_path;
    doc.m_start = h.m_start;
    doc.m_step = h.m_step;
    doc.m_stop = h.m_stop;
    doc.m_yMin = h.m_yMin;
    doc.m_yMax = h.m_yMax;
    doc.m_sample = h.m_sample;
    doc.m_startTime = h.m_startTime;
    doc.m_wavelengths = h.m_wavelengths;
    doc.m_wavelengthSource = h.m_wavelengthSource;
  } else if (h.m_wavelengthSource == WavelengthSource::kUser ||
             h.m_wavelengthSource == WavelengthSource::kDefault) {
    doc.m_wavelengths = h.m_wavelengths;
    doc.m_wavelengthSource = h.m_wavelengthSource;
  }
}
