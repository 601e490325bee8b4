#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "view/Host.h"

// The host of a script session: each dialog takes the answer that the
// running command queued for it (cancel when none was queued), and each
// message box prints one "message: TEXT" line.
class ScriptHost : public Host {
 public:
  explicit ScriptHost(std::ostream& out) : m_out(out) {}

  void Repaint() override { ++m_repaints; }
  void DrawOverlay(const std::function<void(Canvas&)>& draw) override;
  bool FileTypeDialog(int& type) override;
  bool OpenFileDialog(std::string& path) override;
  bool ColumnDialog(ColumnSettings& settings) override;
  bool RangeDialog(RangeValues& range) override;
  bool FitConditionDialog(FitConditions& conditions) override;
  bool SaveFileDialog(std::string& path) override;
  void MessageBox(const std::string& text, MessageIcon icon) override;

  // Answers for the next dialogs; each is used once.
  std::optional<int> fileTypeAnswer;
  std::optional<std::string> openPathAnswer;
  std::optional<ColumnSettings> columnAnswer;
  std::optional<RangeValues> rangeAnswer;
  std::optional<FitConditions> fitConditionAnswer;
  std::optional<std::string> savePathAnswer;
  // Whether a column answer keeps the dialog's preset X and Y columns.
  bool columnKeepsPresetColumns = true;

  int repaints() const { return m_repaints; }
  void ClearAnswers();

 private:
  std::ostream& m_out;
  int m_repaints = 0;
};
