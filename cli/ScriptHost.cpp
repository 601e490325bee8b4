#include "cli/ScriptHost.h"

namespace {

// Hands out a queued answer once: true (OK) with the value, or false (cancel).
template <class T>
bool TakeAnswer(std::optional<T>& answer, T& value) {
  if (!answer) return false;
  value = *answer;
  answer.reset();
  return true;
}

}  // namespace

void ScriptHost::DrawOverlay(const std::function<void(Canvas&)>&) {
  // A script has no screen: the rubber band is not drawn.
}

bool ScriptHost::FileTypeDialog(int& type) { return TakeAnswer(fileTypeAnswer, type); }

bool ScriptHost::OpenFileDialog(std::string& path) { return TakeAnswer(openPathAnswer, path); }

bool ScriptHost::ColumnDialog(ColumnSettings& settings) {
  if (!columnAnswer) return false;
  const ColumnSettings preset = settings;
  settings = *columnAnswer;
  if (columnKeepsPresetColumns) {
    settings.xColumn = preset.xColumn;
    settings.yColumn = preset.yColumn;
  }
  columnAnswer.reset();
  return true;
}

bool ScriptHost::RangeDialog(RangeValues& range) { return TakeAnswer(rangeAnswer, range); }

bool ScriptHost::FitConditionDialog(FitConditions& conditions) {
  return TakeAnswer(fitConditionAnswer, conditions);
}

bool ScriptHost::SaveFileDialog(std::string& path) { return TakeAnswer(savePathAnswer, path); }

void ScriptHost::MessageBox(const std::string& text, MessageIcon) {
  m_out << "message: " << text << '\n';
}

void ScriptHost::ClearAnswers() {
  fileTypeAnswer.reset();
  openPathAnswer.reset();
  columnAnswer.reset();
  rangeAnswer.reset();
  fitConditionAnswer.reset();
  savePathAnswer.reset();
}
