#include "session/SessionFile.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "commands/Commands.h"
#include "commands/SaveThroughDialog.h"
#include "lang/VersionText.h"
#include "profile/AtomicFile.h"
#include "session/JsonFields.h"
#include "session/ProfileJson.h"
#include "session/ProfileReference.h"
#include "session/ViewStateJson.h"
#include "text/Translate.h"
#include "view/AnsweringHost.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kFormatName = "tav-session";

std::string CannotOpenSessionText(const std::string& path, const std::string& reason) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "セッションを開けません: %1 (%2)"),
                          {path, reason});
}

std::string NewerVersionText(int version) {
  return TranslatedFormat(
      QT_TRANSLATE_NOOP("tav", "新しい版のセッションファイルです (版 %1; 読めるのは版 %2 まで)"),
      {std::to_string(version), std::to_string(kSessionVersion)});
}

std::string ChangedProfileText(const std::string& path) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav",
                                            "プロファイルがセッションの保存後に変わっています: %1\n"
                                            "フィットはこのデータのものではないかもしれません"),
                          {path});
}

std::string MissingProfileText(const std::string& path) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "プロファイルが見つかりません: %1"), {path});
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// Where the profile of a session saved at sessionPath is now: at its
// absolute path, at its path relative to the session file, beside the
// session file by its name, or where the host is asked to find it; none
// when it is nowhere.
std::optional<std::string> LocateProfile(const SavedProfile& saved, const std::string& sessionPath,
                                         Host& host) {
  const fs::path folder = fs::absolute(sessionPath).lexically_normal().parent_path();
  const fs::path candidates[] = {
      fs::path(saved.absolutePath),
      saved.relativePath.empty() ? fs::path() : (folder / saved.relativePath).lexically_normal(),
      folder / fs::path(saved.absolutePath).filename()};
  for (const fs::path& candidate : candidates) {
    if (!candidate.empty() && IsFile(candidate)) return candidate.string();
  }
  host.StatusMessage(MissingProfileText(saved.absolutePath));
  std::string chosen = fs::path(saved.absolutePath).filename().string();
  if (host.OpenFileDialog(chosen) && IsFile(chosen)) return chosen;
  return std::nullopt;
}

// The saved profile read again from its file, with the header the session
// kept when the points are those it was saved with. Refuses (SessionError)
// a profile that cannot be found or read; warns when its bytes changed.
CTavDoc ReadSavedProfile(const SavedProfile& saved, const std::string& sessionPath, Host& host) {
  const std::optional<std::string> path = LocateProfile(saved, sessionPath, host);
  if (!path) throw SessionError(MissingProfileText(saved.absolutePath));
  CTavDoc doc;
  AnsweringHost quiet;
  CTavView reader(doc, quiet);
  if (!ReadProfileAgain(reader, *path, saved.skipLines, saved.lastLine, saved.scan)) {
    throw SessionError(quiet.failures.empty() ? MissingProfileText(*path) : quiet.failures.back());
  }
  std::string error;
  const std::optional<ProfileReference> now = ReferenceProfile(*path, sessionPath, error);
  const bool samePoints = doc.PointsFingerprint() == saved.fingerprint;
  if (!now || now->sha256 != saved.sha256 || !samePoints) {
    host.MessageBox(ChangedProfileText(*path), MessageIcon::Exclamation);
  }
  ApplySavedHeader(saved, samePoints, doc);
  return doc;
}

struct SessionContent {
  CTavDoc doc;
  ViewState state;
  PlotOptions plot;
};

SessionContent ParseSession(const std::string& text, const std::string& path, Host& host) {
  Json json;
  try {
    json = Json::parse(text);
  } catch (const Json::parse_error& error) {
    throw SessionError(
        TranslatedFormat(QT_TRANSLATE_NOOP("tav", "JSON として読めません (%1 バイト目)"),
                         {std::to_string(error.byte)}));
  }
  const Field root(json, "");
  if (!json.is_object() || !json.contains("format") || json["format"] != kFormatName)
    throw SessionError(
        Translated(QT_TRANSLATE_NOOP("tav", "tav のセッションファイルではありません")));
  const int version = root["version"].Int(1, INT_MAX);
  if (version > kSessionVersion) throw SessionError(NewerVersionText(version));
  SessionContent content;
  content.state = ViewStateOf(root["view"]);
  content.plot = PlotOptionsOf(root["plot"]);
  const SavedProfile saved = SavedProfileOf(root["profile"]);
  if (saved.points) {
    content.doc = *saved.points;
  } else if (saved.header.m_nData == 0) {
    content.doc = saved.header;
  } else {
    content.doc = ReadSavedProfile(saved, path, host);
  }
  return content;
}

}  // namespace

std::string FormatSession(const CTavView& view, const std::string& sessionPath, bool embed) {
  Json json{{"format", kFormatName},
            {"version", kSessionVersion},
            {"program", std::string("tav ") + std::string(ProgramVersion())},
            {"profile", ProfileJson(view.GetDocument(), sessionPath, embed)},
            {"view", ViewStateJson(view.State())},
            {"plot", PlotOptionsJson(view.Plot())}};
  return json.dump(1) + "\n";
}

bool WriteSession(const CTavView& view, const std::string& path, bool embed, std::string& reason) {
  return WriteFileReplacing(path, FormatSession(view, path, embed), reason);
}

bool ReadSession(CTavView& view, const std::string& path) {
  Host& host = view.GetHost();
  std::string text;
  if (!ReadWholeFile(path, text)) {
    host.ReportFailure(
        CannotOpenSessionText(path, Translated(QT_TRANSLATE_NOOP("tav", "読み込めません"))));
    return false;
  }
  SessionContent content;
  try {
    content = ParseSession(text, path, host);
  } catch (const SessionError& error) {
    host.ReportFailure(CannotOpenSessionText(path, error.what()));
    return false;
  }
  view.GetDocument() = std::move(content.doc);
  view.RestoreState(content.state);
  view.SetPlotOptions(content.plot);
  return true;
}

void OnSaveSession(CTavView& view, bool embed) {
  Host& host = view.GetHost();
  std::string path = "*.tav";
  if (!host.SaveFileDialog(path)) return;
  if (NameHasWildcard(path)) return host.ReportFailure(CannotSaveText(path, WildcardNameReason()));
  std::string reason;
  if (!WriteSession(view, path, embed, reason)) host.ReportFailure(CannotSaveText(path, reason));
}

void OnOpenSession(CTavView& view) {
  std::string path = "*.tav";
  if (!view.GetHost().OpenFileDialog(path)) return;
  if (ReadSession(view, path)) view.Repaint();
}
