// The open command: file type, file, reading settings, then the range.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <optional>
#include <string>

#include "commands/Commands.h"
#include "profile/FileTypeDetect.h"
#include "profile/MeasuredReaders.h"
#include "profile/ProfileReaders.h"
#include "profile/ScanList.h"
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

std::string TruncatedText(const std::string& path, std::size_t count, std::size_t read) {
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

std::string ScanReadText(const std::string& path, int scan, int scans) {
  return TranslatedFormat(
      QT_TRANSLATE_NOOP("tav", "%1 の %2 スキャンのうちスキャン %3 を読み込みました"),
      {path, std::to_string(scans), std::to_string(scan)});
}

std::string NotTwoThetaText(const std::string& path, const std::string& quantity,
                            const std::string& unit) {
  if (quantity == "q")
    return TranslatedFormat(
        QT_TRANSLATE_NOOP("tav",
                          "%1 の X は 2θ ではなく Q (%2) です。面間隔は 2π/Q から求め、"
                          "結晶子サイズは求めません"),
        {path, unit});
  return TranslatedFormat(
      QT_TRANSLATE_NOOP("tav",
                        "%1 の X は 2θ ではなく %2 (%3) です。面間隔と結晶子サイズは求めません"),
      {path, quantity, unit});
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
    to.host.ReportFailure(TruncatedText(to.path, announced, n));
  }
  CTavDoc& doc = to.doc;
  doc.SetOrigin(ProfileFormat::Rigaku, to.path, std::nullopt);
  if (profile.start) doc.m_start = *profile.start;
  if (profile.step) doc.m_step = *profile.step;
  if (profile.stop) doc.m_stop = *profile.stop;
  doc.SetCounts(profile.values, static_cast<int>(n));
  doc.SetWavelengths(RigakuWavelengths(profile), WavelengthSource::kFile);
  if (profile.groups > 1) {
    to.host.MessageBox(profile.group == 1 ? FirstScanText(to.path, profile.groups)
                                          : ScanReadText(to.path, profile.group, profile.groups));
    doc.SetScan(profile.group, profile.groups);
  }
  return true;
}

// Refuses a scan asked for that the file lacks, with the reason; true when
// refused.
bool RefusesScan(ProfileFormat format, int scan, int scans, const Destination& to) {
  try {
    CheckedScan(scan, scans);
    return false;
  } catch (const ProfileFormatError& error) {
    to.host.ReportFailure(BrokenFileText(to.path, format, error.what()));
    return true;
  }
}

// Each group of a RINT file, as the choice of scan lists it.
std::vector<ScanSummary> RigakuScans(std::string_view text, int groups) {
  std::vector<ScanSummary> scans;
  for (int group = 1; group <= groups; ++group) {
    const RigakuProfile profile = ReadRigakuProfile(text, group);
    ScanSummary scan;
    scan.number = group;
    scan.xQuantity = "2theta";
    scan.xUnit = "deg";
    scan.points = std::min(profile.values.size(),
                           static_cast<std::size_t>(std::max(0, profile.count.value_or(0))));
    if (scan.points == 0) {
      scan.error = Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません"));
    } else {
      scan.first = profile.start.value_or(0.0);
      scan.last = scan.first + profile.step.value_or(0.0) * static_cast<double>(scan.points - 1);
    }
    scans.push_back(scan);
  }
  return scans;
}

// Reads the group of a RINT file asked for, or, with none asked for, the one
// the host chooses when the file holds several; false, with a message, when
// the file lacks the group asked for or the choice was cancelled.
bool ReadRigakuGroup(std::string_view text, std::optional<int> scan, const Destination& to,
                     RigakuProfile& profile) {
  profile = ReadRigakuProfile(text);
  int chosen = scan.value_or(1);
  if (!scan && !to.host.ScanDialog(profile.groups > 1 ? RigakuScans(text, profile.groups)
                                                      : std::vector<ScanSummary>(),
                                   chosen))
    return false;
  if (RefusesScan(ProfileFormat::Rigaku, chosen, profile.groups, to)) return false;
  if (chosen != 1) profile = ReadRigakuProfile(text, chosen);
  return true;
}

// A file of one scan: another scan, asked for or answered ahead, is refused
// with the reason; true when refused.
bool RefusesOtherScan(ProfileFormat format, std::optional<int> scan, const Destination& to) {
  int chosen = scan.value_or(1);
  if (!scan && !to.host.ScanDialog({}, chosen)) return true;
  return RefusesScan(format, chosen, 1, to);
}

bool StoreRigakuGroup(std::string_view text, std::optional<int> scan, const Destination& to) {
  RigakuProfile profile;
  return ReadRigakuGroup(text, scan, to, profile) && StoreRigaku(profile, to);
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

// Reads a scan of a diffractometer file; false, with a message, when the
// file is not what its format needs.
bool ReadScan(ProfileFormat format, std::string_view bytes, int scan, const Destination& to,
              MeasuredProfile& profile) {
  try {
    profile = ReadMeasuredProfile(format, bytes, scan);
    return true;
  } catch (const ProfileFormatError& error) {
    to.host.ReportFailure(BrokenFileText(to.path, format, error.what()));
    return false;
  }
}

// Reads the scan asked for, or, with none asked for, the one the host
// chooses from the file's scans (the first without a dialog; the host is
// asked for a file of one scan too, so that a scan asked for ahead that the
// file lacks is refused).
bool ReadChosenScan(ProfileFormat format, std::string_view bytes, std::optional<int> scan,
                    const Destination& to, MeasuredProfile& profile) {
  if (!ReadScan(format, bytes, scan.value_or(1), to, profile)) return false;
  if (scan) return true;
  int chosen = 1;
  const std::vector<ScanSummary> scans =
      profile.scans > 1 ? ListScans(format, bytes, profile.scans) : std::vector<ScanSummary>();
  if (!to.host.ScanDialog(scans, chosen)) return false;
  return chosen == 1 || ReadScan(format, bytes, chosen, to, profile);
}

// Puts the profile of a diffractometer file into the document; false, with a
// message, when the file is not what its format needs.
bool StoreMeasured(ProfileFormat format, std::string_view bytes, std::optional<int> scan,
                   const Destination& to) {
  MeasuredProfile profile;
  if (!ReadChosenScan(format, bytes, scan, to, profile)) return false;
  if (to.RefusesPoints(profile.x.size())) return false;
  if (profile.announced)
    to.host.ReportFailure(TruncatedText(to.path, *profile.announced, profile.x.size()));
  if (profile.scans > 1)
    to.host.MessageBox(profile.scan == 1 ? FirstScanText(to.path, profile.scans)
                                         : ScanReadText(to.path, profile.scan, profile.scans));
  to.doc.SetPoints(profile.x, profile.y);
  to.doc.SetCountFactors(profile.factors);
  to.doc.SetWavelengths(profile.wavelengths, WavelengthSource::kFile);
  to.doc.SetOrigin(format, to.path, profile.sample);
  to.doc.m_startTime = profile.startTime;
  to.doc.SetScan(profile.scan, profile.scans);
  to.doc.SetXAxis(profile.xQuantity, profile.xUnit);
  to.doc.SetUncertainties(profile.sigma);
  if (profile.xQuantity != "2theta")
    to.host.MessageBox(NotTwoThetaText(to.path, profile.xQuantity, profile.xUnit));
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
bool ReadDetected(CTavView& view, const std::string& path, std::size_t maxPoints,
                  std::optional<int> scan) {
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
      return StoreRigakuGroup(NormalizeText(bytes), scan, to);
    case ProfileFormat::Xy:
      if (RefusesOtherScan(ProfileFormat::Xy, scan, to)) return false;
      // One point more than the document holds, so that RefusesPoints says so.
      return StoreXy(ReadXyProfile(NormalizeText(bytes), view.Reading().m_skipLines, INT_MAX), to);
    default:
      return StoreMeasured(*detection.format, bytes, scan, to);
  }
}

// Reads path as type into the document; false, with a message, when nothing
// was stored.
bool ReadProfile(CTavView& view, const std::string& path, FileType type, std::size_t maxPoints) {
  if (type == FileType::Auto) return ReadDetected(view, path, maxPoints, std::nullopt);
  Host& host = view.GetHost();
  std::string text;
  std::string reason;
  if (!LoadProfileText(path, text, reason)) {
    host.ReportFailure(CannotOpenText(path, reason));
    return false;
  }
  const Destination to{path, maxPoints, view.GetDocument(), host};
  if (type == FileType::Rigaku) return StoreRigakuGroup(text, std::nullopt, to);
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

// The points just stored are the file's as it reads (an X-Y list up to
// lastLine, 0: whole).
void NoteRead(CTavView& view, int lastLine) {
  view.GetDocument().NoteReadFromFile(view.Reading().m_skipLines, lastLine);
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
    NoteRead(view, type == FileType::Xy ? view.Reading().m_lastLine : 0);
    ApplyDefaultWavelengths(view);
  }
  view.TakeLoadedProfile();
  view.Repaint();
}

bool ReadProfileByContent(CTavView& view, const std::string& path, std::optional<int> scan) {
  if (!ReadDetected(view, path, CTavDoc::kMaxPoints, scan)) return false;
  NoteRead(view, 0);
  ApplyDefaultWavelengths(view);
  return true;
}

bool ReadProfileAgain(CTavView& view, const std::string& path, int skipLines, int lastLine,
                      int scan) {
  view.SetReadingSettings(skipLines, lastLine > 0 ? lastLine : limits::kLastLineMax);
  const bool read = lastLine > 0 ? ReadProfile(view, path, FileType::Xy, CTavDoc::kMaxPoints)
                                 : ReadDetected(view, path, CTavDoc::kMaxPoints, scan);
  if (read) NoteRead(view, lastLine);
  return read;
}
