#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/support/RecordingCanvas.h"
#include "view/Host.h"

// A host for tests: dialogs take the queued answers (cancel when none is
// queued), and everything the view asks of the platform is recorded.
class FakeHost : public Host {
 public:
  void Repaint() override { ++repaints; }
  void DrawOverlay(const std::function<void(Canvas&)>& draw) override {
    ++overlays;
    draw(overlay);
  }
  bool FileTypeDialog(int& type) override {
    ++fileTypeDialogs;
    return Take(fileType, type);
  }
  bool OpenFileDialog(std::string& path) override {
    ++openDialogs;
    return Take(openPath, path);
  }
  bool ColumnDialog(ColumnSettings& settings) override {
    ++columnDialogs;
    columnPreset = settings;
    return Take(column, settings);
  }
  bool RangeDialog(RangeValues& values) override {
    ++rangeDialogs;
    rangePreset = values;
    return Take(range, values);
  }
  bool FitConditionDialog(FitConditions& conditions) override {
    ++fitConditionDialogs;
    fitConditionPreset = conditions;
    return Take(fitCondition, conditions);
  }
  bool SaveFileDialog(std::string& path) override {
    ++saveDialogs;
    return Take(savePath, path);
  }
  void MessageBox(const std::string& text, MessageIcon icon) override {
    messages.push_back(text);
    icons.push_back(icon);
  }

  std::optional<int> fileType;
  std::optional<std::string> openPath;
  std::optional<ColumnSettings> column;
  std::optional<RangeValues> range;
  std::optional<FitConditions> fitCondition;
  std::optional<std::string> savePath;

  int repaints = 0, overlays = 0;
  int fileTypeDialogs = 0, openDialogs = 0, columnDialogs = 0, rangeDialogs = 0;
  int fitConditionDialogs = 0, saveDialogs = 0;
  ColumnSettings columnPreset;
  RangeValues rangePreset;
  FitConditions fitConditionPreset;
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;
  RecordingCanvas overlay;

 private:
  template <class T>
  static bool Take(std::optional<T>& answer, T& value) {
    if (!answer) return false;
    value = *answer;
    answer.reset();
    return true;
  }
};
