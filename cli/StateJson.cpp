#include "cli/StateJson.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "fit/PeakModel.h"
#include "view/TavView.h"

namespace {

std::string Number(double v) {
  if (std::isnan(v)) return "\"nan\"";
  if (std::isinf(v)) return v > 0 ? "\"inf\"" : "\"-inf\"";
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

template <class Array>
std::string Slots(const Array& values, std::size_t first, std::size_t last) {
  std::string out = "[";
  for (std::size_t i = first; i <= last; ++i) {
    if (i != first) out += ", ";
    out += Number(values[i]);
  }
  return out + "]";
}

const char* Bool(bool b) { return b ? "true" : "false"; }

}  // namespace

std::string StateJson(const CTavView& view) {
  const CTavDoc& doc = view.GetDocument();
  const auto k = static_cast<std::size_t>(CTavView::kMaxPeaks);
  std::ostringstream s;
  s << "{\"doc\": {\"m_nData\": " << doc.m_nData << ", \"m_start\": " << Number(doc.m_start)
    << ", \"m_step\": " << Number(doc.m_step) << ", \"m_stop\": " << Number(doc.m_stop)
    << ", \"m_yMin\": " << Number(doc.m_yMin) << ", \"m_yMax\": " << Number(doc.m_yMax) << "}";
  s << ", \"view\": {\"m_xMin\": " << Number(view.m_xMin) << ", \"m_xMax\": " << Number(view.m_xMax)
    << ", \"m_yMin\": " << Number(view.m_yMin) << ", \"m_yMax\": " << Number(view.m_yMax)
    << ", \"m_bPeakMode\": " << view.m_bPeakMode << ", \"m_dragState\": " << view.m_dragState
    << ", \"m_nPeak\": " << view.m_nPeak << ", \"m_curPeak\": " << view.m_curPeak
    << ", \"m_bFitted\": " << view.m_bFitted << ", \"m_height\": " << Slots(view.m_height, 1, k)
    << ", \"m_position\": " << Slots(view.m_position, 1, k)
    << ", \"m_width\": " << Slots(view.m_width, 1, k)
    << ", \"m_widthFactor\": " << Slots(view.m_widthFactor, 1, k)
    << ", \"m_bgA\": " << Number(view.m_bgA) << ", \"m_bgB\": " << Number(view.m_bgB)
    << ", \"m_tolerance\": " << Number(view.m_tolerance) << ", \"m_skipLines\": " << view.m_skipLines
    << ", \"m_lastLine\": " << view.m_lastLine << ", \"m_bBackShown\": " << view.m_bBackShown
    << ", \"m_nBin\": " << view.m_nBin << ", \"m_bgCoef\": " << Slots(view.m_bgCoef, 0, 3)
    << ", \"m_bPolarized\": " << view.m_bPolarized << "}";
  s << ", \"g_function\": " << g_function;
  s << ", \"ui\": {\"rangeSetChecked\": " << Bool(view.IsRangeSetChecked())
    << ", \"peakPositionChecked\": " << Bool(view.IsPeakPositionChecked())
    << ", \"lsqStartEnabled\": " << Bool(view.IsLsqStartEnabled())
    << ", \"saveResultEnabled\": " << Bool(view.IsSaveResultEnabled()) << "}}";
  return s.str();
}
