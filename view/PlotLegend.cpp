#include "view/PlotLegend.h"

#include <algorithm>
#include <string>
#include <vector>

#include "fit/PeakShapes.h"
#include "text/Translate.h"
#include "view/Canvas.h"
#include "view/TavView.h"

namespace {

constexpr int kPadding = 4;
constexpr int kSampleLength = 20;
constexpr int kMarginFromFrame = 6;

// A legend row: points (a marker) or a line of the colour, and its name.
struct LegendEntry {
  bool marker;
  Color color;
  std::string name;
};

std::vector<LegendEntry> EntriesOf(const CTavView& v) {
  std::vector<LegendEntry> entries;
  if (v.GetDocument().m_nData > 0) {
    entries.push_back({true, colors::kBlue, Translated(QT_TRANSLATE_NOOP("tav", "データ"))});
  }
  if (v.Peaks().m_nPeak > 0) {
    entries.push_back({false, colors::kRed, Translated(QT_TRANSLATE_NOOP("tav", "モデル"))});
    if (IsPeakShape(v.Problem().shape)) {
      entries.push_back({false, colors::kYellow, Translated(QT_TRANSLATE_NOOP("tav", "成分"))});
    }
    entries.push_back(
        {false, colors::kPurple, Translated(QT_TRANSLATE_NOOP("tav", "バックグラウンド"))});
  }
  if (v.ShowsResiduals()) {
    entries.push_back({true, colors::kBlue, Translated(QT_TRANSLATE_NOOP("tav", "残差 (下段)"))});
  }
  if (v.Background().m_bBackShown == 1) {
    entries.push_back(
        {false, colors::kBlack, Translated(QT_TRANSLATE_NOOP("tav", "推定バックグラウンド"))});
  }
  return entries;
}

void DrawSample(const LegendEntry& entry, int left, int middle, Canvas& dc) {
  if (entry.marker) {
    for (int x = left + 2; x < left + kSampleLength; x += 6) {
      dc.FillSquare(x, middle - 1, 2, entry.color);
    }
    return;
  }
  dc.BeginCurve();
  for (int x = left; x < left + kSampleLength; ++x) dc.SetPixel(x, middle, entry.color);
  dc.EndCurve();
}

}  // namespace

void DrawLegend(const CTavView& v, const PlotMapping& m, Canvas& dc) {
  const std::vector<LegendEntry> entries = EntriesOf(v);
  if (entries.empty()) return;
  const PlotLayout& l = m.Layout();
  const int row = dc.TextHeight() + 2;
  int widest = 0;
  for (const LegendEntry& entry : entries) widest = std::max(widest, dc.TextWidth(entry.name));
  const int width = kPadding * 3 + kSampleLength + widest;
  const int height = kPadding * 2 + row * static_cast<int>(entries.size());
  const int right = l.right - kMarginFromFrame;
  const int left = right - width;
  const int top = l.top + kMarginFromFrame;
  dc.FillRect(left, top, right, top + height, colors::kWhite);
  dc.FrameRect(left, top, right, top + height, colors::kGrey);
  dc.SetTextColor(colors::kBlack);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int y = top + kPadding + row * static_cast<int>(i);
    DrawSample(entries[i], left + kPadding, y + row / 2, dc);
    dc.TextOut(left + kPadding * 2 + kSampleLength, y + 1, entries[i].name);
  }
}
