#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "view/Host.h"

// A host whose dialogs are answered ahead: each dialog takes the answer given
// for it, once, and returns OK with it. What happens to a dialog without an
// answer, to message boxes and to drawing depends on the platform behind it:
// - without one (scripts, tests), an unanswered dialog is cancelled and
//   nothing is shown;
// - with one (the GUI), an unanswered dialog and every message box go to the
//   platform (unless AskPlatform(false)), and so do repaints, overlays and
//   status messages.
// Everything the view asks is also recorded: counts, the values each dialog
// was shown, the message texts, and which of them reported a failure.
class AnsweringHost : public Host {
 public:
  explicit AnsweringHost(Host* platform = nullptr) : m_platform(platform) {}

  void Repaint() override;
  void DrawOverlay(const std::function<void(Canvas&)>& draw) override;
  bool FileTypeDialog(FileType& type) override;
  bool OpenFileDialog(std::string& path) override;
  bool ColumnDialog(ColumnSettings& settings) override;
  bool RangeDialog(RangeValues& range) override;
  bool FitConditionDialog(FitConditions& conditions) override;
  bool SaveFileDialog(std::string& path) override;
  void MessageBox(const std::string& text, MessageIcon icon) override;
  void ReportFailure(const std::string& text) override;
  // Status messages go to the platform, like repaints.
  void StatusMessage(const std::string& text) override;
  bool ScanDialog(const std::vector<ScanSummary>& scans, int& scan) override;

  // Answers for the next dialogs; each is taken once.
  std::optional<FileType> fileType;
  std::optional<std::string> openPath;
  std::optional<ColumnSettings> column;
  // The column answer keeps the X and Y columns the dialog shows.
  bool columnKeepsPresetColumns = false;
  std::optional<RangeValues> range;
  std::optional<FitConditions> fitCondition;
  std::optional<std::string> savePath;
  // The scan of a file with several (from 1); unanswered, the platform asks,
  // and without one the scan shown first is read.
  std::optional<int> scan;
  // Drops every answer not taken.
  void ClearAnswers();

  // The host behind this one (nullptr for none).
  void SetPlatform(Host* platform) { m_platform = platform; }
  // Whether unanswered dialogs and message boxes go to the platform.
  void AskPlatform(bool ask) { m_askPlatform = ask; }
  // Whether message texts, icons and failures are kept (a long
  // session behind a real platform need not keep them).
  void RecordMessages(bool record) { m_recordMessages = record; }
  // Each message box also prints "message: TEXT" here.
  void PrintMessagesTo(std::ostream* out) { m_messageOut = out; }
  // Overlays are also drawn here (without a platform, nowhere else).
  void DrawOverlaysOn(Canvas* canvas) { m_overlayCanvas = canvas; }

  // What was asked.
  int repaints = 0, overlays = 0;
  int fileTypeDialogs = 0, openDialogs = 0, columnDialogs = 0, rangeDialogs = 0;
  int fitConditionDialogs = 0, saveDialogs = 0, scanDialogs = 0;
  ColumnSettings columnPreset;
  RangeValues rangePreset;
  FitConditions fitConditionPreset;
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;
  // The texts of the messages that reported a failure (also in messages).
  std::vector<std::string> failures;

 private:
  Host* Platform() const { return m_askPlatform ? m_platform : nullptr; }
  // Records a message box and prints its line.
  void Record(const std::string& text, MessageIcon icon);

  Host* m_platform;
  bool m_askPlatform = true;
  bool m_recordMessages = true;
  std::ostream* m_messageOut = nullptr;
  Canvas* m_overlayCanvas = nullptr;
};
