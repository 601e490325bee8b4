// The open command: file type, file, reading settings, then the range.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <string>

#include "commands/Commands.h"
#include "profile/FileTypeDetect.h"
#include "profile/MeasuredReaders.h"
#include "profile/ProfileReaders.h"
#include "profile/TextSource.h"
#include "text/Translate.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

std::string CannotOpenText(const std::string& path, const std::string& reason) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "ファイルを開けません: %1 (%2)"),
                          {path, reason});
}

std::string NothingReadText(const std::string& path) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "データを読み込めませんでした: %1"), {path});
}

std::string TruncatedText(const std::string& path, int count, int read) {
  return TranslatedFormat(
      QT_TRANSLATE_NOOP("tav",
                        "データが途中で終わっています: %1 (%2 点のうち %3 点を読み込みました)"),
      {path, std::to_string(count), std::to_string(read)});
}

std::string TooManyPointsText(const std::string& path, std::size_t points, std::size_t limit) {
  return TranslatedFormat(
      QT_TRANSLATE_NOOP("tav", "点が多すぎます: %1 (%2 点; 読み込めるのは %3 点まで)"),
      {path, std::to_string(points), std::to_string(limit)});
}

// Said in the status line when an X-Y list holds more points than the column
// dialog's last line let through.
std::string StoppedAtLastLineText(const std::string& path, std::size_t read) {
  return TranslatedFormat(
      QT_TRANSLATE_NOOP("tav",
                        "%1 からデータを %2 行読み込みました。その先にもデータがあります "
                        "(自動判別で開くとファイル全体を読み込みます)"),
      {path, std::to_string(read)});
}

std::string UnsupportedText(const std::string& path, const std::string& recognised) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "読み込める形式ではありません: %1 (%2)"),
                          {path, recognised});
}

std::string BrokenFileText(const std::string& path, ProfileFormat format,
                           const std::string& reason) {
  return NothingReadText(path) + " (" + FormatLabel(format) + ": " + reason + ")";
}

std::string FirstScanText(const std::string& path, int scans) {
  return TranslatedFormat(
      QT_TRANSLATE_NOOP(
          "tav", "複数のスキャンがあります: %1 (%2 スキャンのうち最初のスキャンを読み込みました)"),
      {path, std::to_string(scans)});
}

// Where a profile read from path goes, and the most points it may hold.
struct Destination {
  const std::string& path;
  std::size_t maxPoints;
  CTavDoc& doc;
  Host& host;

  // Refuses a profile of more than maxPoints points; true when refused.
  bool RefusesPoints(std::size_t n) const {
    if (n <= maxPoints) return false;
    host.ReportFailure(TooManyPointsText(path, n, maxPoints));
    return true;
  }
};

// Puts a RINT profile into the document: the counts announced, or as many as
// the file holds when fewer. False when nothing was stored.
bool StoreRigaku(const RigakuProfile& profile, const Destination& to) {
  if (!profile.count || *profile.count <= 0 || profile.values.empty()) {
    to.host.ReportFailure(NothingReadText(to.path));
    return false;
  }
  const auto announced = static_cast<std::size_t>(*profile.count);
  const std::size_t n = std::min(announced, profile.values.size());
  if (to.RefusesPoints(n)) return false;
  if (n < announced) {
    to.host.ReportFailure(TruncatedText(to.path, *profile.count, static_cast<int>(n)));
  }
  CTavDoc& doc = to.doc;
  doc.SetOrigin(ProfileFormat::Rigaku, to.path, std::nullopt);
  if (profile.start) doc.m_start = *profile.start;
  if (profile.step) doc.m_step = *profile.step;
  if (profile.stop) doc.m_stop = *profile.stop;
  doc.SetCounts(profile.values, static_cast<int>(n));
  doc.SetWavelengths(RigakuWavelengths(profile), WavelengthSource::kFile);
  return true;
}

// Puts an X-Y profile into the document; false when nothing was stored.
bool StoreXy(const XyProfile& profile, const Destination& to) {
  if (profile.x.empty()) {
    to.host.ReportFailure(NothingReadText(to.path));
    return false;
  }
  if (to.RefusesPoints(profile.x.size())) return false;
  to.doc.SetPoints(profile.x, profile.y);
  to.doc.SetWavelengths({}, WavelengthSource::kNone);  // an X-Y list states none
  to.doc.SetOrigin(ProfileFormat::Xy, to.path, std::nullopt);
  if (HasUncertaintyColumn(to.path)) to.doc.SetUncertainties(profile.third);
  return true;
}

// Puts the profile of a diffractometer file into the document; false, with a
// message, when the file is not what its format needs.
bool StoreMeasured(ProfileFormat format, std::string_view bytes, const Destination& to) {
  MeasuredProfile profile;
  try {
    profile = ReadMeasuredProfile(format, bytes);
  } catch (const ProfileFormatError& error) {
    to.host.ReportFailure(BrokenFileText(to.path, format, error.what()));
    return false;
  }
  if (to.RefusesPoints(profile.x.size())) return false;
  if (profile.scans > 1) to.host.MessageBox(FirstScanText(to.path, profile.scans));
  to.doc.SetPoints(profile.x, profile.y);
  to.doc.SetCountFactors(profile.factors);
  to.doc.SetWavelengths(profile.wavelengths, WavelengthSource::kFile);
  to.doc.SetOrigin(format, to.path, profile.sample);
  return true;
}

// The column dialog's answer becomes the reading settings; a cancel keeps
// them, apart from the last line, which the dialog always starts at its top.
void AskReadingSettings(CTavView& view) {
  const ReadingSettings& r = view.Reading();
  ColumnSettings settings{r.m_xColumn, r.m_yColumn, r.m_skipLines, r.m_lastLine};
  if (view.GetHost().ColumnDialog(settings)) {
    view.SetReadingSettings(settings.skipLines, settings.lastLine);
  }
}

// Reads path in the format its contents show: an X-Y list whole, after the
// lines to skip. False, with a message, when nothing was stored.
bool ReadDetected(CTavView& view, const std::string& path, std::size_t maxPoints) {
  Host& host = view.GetHost();
  std::string bytes;
  std::string reason;
  if (!LoadProfileBytes(path, bytes, reason)) {
    host.ReportFailure(CannotOpenText(path, reason));
    return false;
  }
  const Detection detection = DetectProfileFormat(bytes);
  if (!detection.format) {
    host.ReportFailure(UnsupportedText(path, detection.recognised));
    return false;
  }
  const Destination to{path, maxPoints, view.GetDocument(), host};
  switch (*detection.format) {
    case ProfileFormat::Rigaku:
      return StoreRigaku(ReadRigakuProfile(NormalizeText(bytes)), to);
    case ProfileFormat::Xy:
      // One point more than the document holds, so that RefusesPoints says so.
      return StoreXy(ReadXyProfile(NormalizeText(bytes), view.Reading().m_skipLines, INT_MAX), to);
    default:
      return StoreMeasured(*detection.format, bytes, to);
  }
}

// Reads path as type into the document; false, with a message, when nothing
// was stored.
bool ReadProfile(CTavView& view, const std::string& path, FileType type, std::size_t maxPoints) {
  if (type == FileType::Auto) return ReadDetected(view, path, maxPoints);
  Host& host = view.GetHost();
  std::string text;
  std::string reason;
  if (!LoadProfileText(path, text, reason)) {
    host.ReportFailure(CannotOpenText(path, reason));
    return false;
  }
  const Destination to{path, maxPoints, view.GetDocument(), host};
  if (type == FileType::Rigaku) return StoreRigaku(ReadRigakuProfile(text), to);
  const XyProfile profile =
      ReadXyProfile(text, view.Reading().m_skipLines, view.Reading().m_lastLine);
  if (!StoreXy(profile, to)) return false;
  if (profile.stoppedBeforeEnd) host.StatusMessage(StoppedAtLastLineText(path, profile.x.size()));
  return true;
}

// A profile whose file states no wavelength takes the default, if one is set.
void ApplyDefaultWavelengths(CTavView& view) {
  CTavDoc& doc = view.GetDocument();
  if (doc.m_wavelengthSource != WavelengthSource::kNone || !view.DefaultWavelengths()) return;
  doc.SetWavelengths(*view.DefaultWavelengths(), WavelengthSource::kDefault);
}

}  // namespace

void OnFileOpen(CTavView& view) { OpenWithPointLimit(view, CTavDoc::kMaxPoints); }

void OpenWithPointLimit(CTavView& view, std::size_t maxPoints) {
  maxPoints = std::min<std::size_t>(maxPoints, CTavDoc::kMaxPoints);
  Host& host = view.GetHost();
  view.SetReadingSettings(view.Reading().m_skipLines, limits::kLastLineMax);
  FileType type = FileType::Rigaku;
  FileType chosen = FileType::None;
  if (host.FileTypeDialog(chosen)) type = chosen;

  std::string path = "*.*";
  if (host.OpenFileDialog(path) && type != FileType::None) {
    if (type == FileType::Xy) AskReadingSettings(view);
    if (!ReadProfile(view, path, type, maxPoints)) return;
    ApplyDefaultWavelengths(view);
  }
  view.TakeLoadedProfile();
  view.Repaint();
}

bool ReadProfileByContent(CTavView& view, const std::string& path) {
  if (!ReadDetected(view, path, CTavDoc::kMaxPoints)) return false;
  ApplyDefaultWavelengths(view);
  return true;
}
