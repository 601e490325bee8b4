#include "view/AnsweringHost.h"

namespace {

// Hands out an answer once: true (OK) with the value. Without an answer the
// platform's own dialog decides, or the dialog is cancelled when there is none.
template <class T, class Ask>
bool Answer(std::optional<T>& answer, T& value, Host* platform, Ask ask) {
  if (answer) {
    value = *answer;
    answer.reset();
    return true;
  }
  return platform != nullptr && ask(*platform);
}

}  // namespace

void AnsweringHost::Repaint() {
  ++repaints;
  if (m_platform != nullptr) m_platform->Repaint();
}

void AnsweringHost::DrawOverlay(const std::function<void(Canvas&)>& draw) {
  ++overlays;
  if (m_overlayCanvas != nullptr) draw(*m_overlayCanvas);
  if (m_platform != nullptr) m_platform->DrawOverlay(draw);
}

bool AnsweringHost::FileTypeDialog(FileType& type) {
  ++fileTypeDialogs;
  return Answer(fileType, type, Platform(), [&](Host& p) { return p.FileTypeDialog(type); });
}

bool AnsweringHost::OpenFileDialog(std::string& path) {
  ++openDialogs;
  return Answer(openPath, path, Platform(), [&](Host& p) { return p.OpenFileDialog(path); });
}

bool AnsweringHost::ScanDialog(const std::vector<ScanSummary>& scans, int& scan) {
  ++scanDialogs;
  if (this->scan) {
    scan = *this->scan;
    this->scan.reset();
    return true;
  }
  Host* platform = Platform();
  return platform ? platform->ScanDialog(scans, scan) : true;
}

bool AnsweringHost::ColumnDialog(ColumnSettings& settings) {
  ++columnDialogs;
  columnPreset = settings;
  if (column && columnKeepsPresetColumns) {
    column->xColumn = settings.xColumn;
    column->yColumn = settings.yColumn;
  }
  return Answer(column, settings, Platform(), [&](Host& p) { return p.ColumnDialog(settings); });
}

bool AnsweringHost::RangeDialog(RangeValues& values) {
  ++rangeDialogs;
  rangePreset = values;
  return Answer(range, values, Platform(), [&](Host& p) { return p.RangeDialog(values); });
}

bool AnsweringHost::FitConditionDialog(FitConditions& conditions) {
  ++fitConditionDialogs;
  fitConditionPreset = conditions;
  return Answer(fitCondition, conditions, Platform(),
                [&](Host& p) { return p.FitConditionDialog(conditions); });
}

bool AnsweringHost::SaveFileDialog(std::string& path) {
  ++saveDialogs;
  return Answer(savePath, path, Platform(), [&](Host& p) { return p.SaveFileDialog(path); });
}

void AnsweringHost::Record(const std::string& text, MessageIcon icon) {
  if (m_recordMessages) {
    messages.push_back(text);
    icons.push_back(icon);
  }
  if (m_messageOut != nullptr) *m_messageOut << "message: " << text << '\n';
}

void AnsweringHost::MessageBox(const std::string& text, MessageIcon icon) {
  Record(text, icon);
  if (Host* platform = Platform()) platform->MessageBox(text, icon);
}

void AnsweringHost::ReportFailure(const std::string& text) {
  Record(text, MessageIcon::None);
  if (m_recordMessages) failures.push_back(text);
  if (Host* platform = Platform()) platform->ReportFailure(text);
}

void AnsweringHost::StatusMessage(const std::string& text) {
  if (m_platform != nullptr) m_platform->StatusMessage(text);
}

void AnsweringHost::ClearAnswers() {
  fileType.reset();
  openPath.reset();
  column.reset();
  columnKeepsPresetColumns = false;
  range.reset();
  fitCondition.reset();
  savePath.reset();
  scan.reset();
}
