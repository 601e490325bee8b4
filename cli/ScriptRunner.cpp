#include "cli/ScriptRunner.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

#include "app/canvas/RenderPng.h"
#include "cli/StateJson.h"

namespace {

using Args = std::vector<std::string>;

double ParseReal(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno == ERANGE) throw ScriptError("not a number: " + text);
  // strtod also reads "nan" and "inf", which no dialog field would take.
  if (!std::isfinite(v)) throw ScriptError("not a finite number: " + text);
  return v;
}

long ParseInt(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE) throw ScriptError("not an integer: " + text);
  return v;
}

int ParseIntIn(const std::string& text, long lo, long hi, const char* what) {
  const long v = ParseInt(text);
  if (v < lo || v > hi) {
    throw ScriptError(std::string(what) + " must be " + std::to_string(lo) + ".." +
                      std::to_string(hi) + ": " + text);
  }
  return static_cast<int>(v);
}

void ExpectCount(const Args& args, std::size_t lo, std::size_t hi, const char* usage) {
  if (args.size() < lo || args.size() > hi) throw ScriptError(std::string("usage: ") + usage);
}

}  // namespace

ScriptRunner::ScriptRunner(std::ostream& out, std::ostream& err)
    : m_out(out), m_err(err), m_host(out), m_view(m_doc, m_host) {}

int ScriptRunner::Run(const std::vector<ScriptCommand>& commands) {
  for (const ScriptCommand& command : commands) {
    try {
      Execute(command.words);
    } catch (const ScriptError& e) {
      m_out.flush();
      m_err << "error: line " << command.line << ": " << e.what() << '\n';
      return 2;
    }
  }
  return 0;
}

void ScriptRunner::Execute(const std::vector<std::string>& words) {
  const std::string& name = words.at(0);
  const Args args(words.begin() + 1, words.end());
  CTavView& v = m_view;
  ScriptHost& h = m_host;
  h.ClearAnswers();

  auto pixel = [](const std::string& s) { return ParseIntIn(s, -1000000, 1000000, "pixel"); };

  using Handler = std::function<void(const Args&)>;
  static const char* const kOpenUsage = "open rigaku|xy|none PATH [SKIP LAST]";
  const std::map<std::string, Handler> table = {
      {"open",
       [&](const Args& a) {
         ExpectCount(a, 2, 4, kOpenUsage);
         const std::string& type = a[0];
         if (type == "rigaku" && a.size() == 2) {
           h.fileTypeAnswer = 1;
         } else if (type == "xy" && (a.size() == 2 || a.size() == 4)) {
           h.fileTypeAnswer = 0;
           if (a.size() == 4) {
             ColumnSettings s;
             s.skipLines = ParseIntIn(a[2], 0, 100, "SKIP");
             s.lastLine = ParseIntIn(a[3], 1, 9999, "LAST");
             h.columnAnswer = s;
           }
         } else if (type == "none" && a.size() == 2) {
           h.fileTypeAnswer = -1;
         } else {
           throw ScriptError(std::string("usage: ") + kOpenUsage);
         }
         h.openPathAnswer = a[1];
         v.OnFileOpen();
       }},
      {"open-cancel",
       [&](const Args& a) {
         ExpectCount(a, 0, 0, "open-cancel");
         h.fileTypeAnswer = 1;
         v.OnFileOpen();
       }},
      {"range-set", [&](const Args& a) { ExpectCount(a, 0, 0, "range-set"), v.OnRangeSet(); }},
      {"range-reset", [&](const Args& a) { ExpectCount(a, 0, 0, "range-reset"), v.OnRangeReset(); }},
      {"range",
       [&](const Args& a) {
         ExpectCount(a, 4, 4, "range XMIN XMAX YMIN YMAX");
         h.rangeAnswer = RangeValues{ParseReal(a[0]), ParseReal(a[1]), ParseReal(a[2]), ParseReal(a[3])};
         v.OnRangeInput();
       }},
      {"drag",
       [&](const Args& a) {
         ExpectCount(a, 4, 4, "drag PX0 PY0 PX1 PY1");
         const int x0 = pixel(a[0]), y0 = pixel(a[1]), x1 = pixel(a[2]), y1 = pixel(a[3]);
         v.OnLButtonDown(x0, y0);
         v.OnMouseMove(x1, y1);
         v.OnLButtonUp(x1, y1);
       }},
      {"peak-mode", [&](const Args& a) { ExpectCount(a, 0, 0, "peak-mode"), v.OnPeakPosition(); }},
      {"dblclick",
       [&](const Args& a) {
         ExpectCount(a, 2, 2, "dblclick PX PY");
         const int x = pixel(a[0]), y = pixel(a[1]);
         v.OnLButtonDblClk(x, y);
         v.OnLButtonUp(x, y);
       }},
      {"peak",
       [&](const Args& a) {
         ExpectCount(a, 2, 2, "peak X Y");
         const double x = ParseReal(a[0]), y = ParseReal(a[1]);
         v.AppendPeakAt(x, y);
         v.OnLButtonUp(v.XToPixel(x), v.YToPixel(y));
       }},
      {"rclick",
       [&](const Args& a) {
         ExpectCount(a, 0, 0, "rclick");
         v.OnRButtonDown(0, 0);
       }},
      {"key",
       [&](const Args& a) {
         ExpectCount(a, 1, 1, "key W|N|LEFT|RIGHT|OTHER");
         static const std::map<std::string, unsigned> codes = {
             {"W", keys::kW}, {"N", keys::kN}, {"LEFT", keys::kLeft}, {"RIGHT", keys::kRight},
             {"OTHER", 0x41}};
         const auto it = codes.find(a[0]);
         if (it == codes.end()) throw ScriptError("usage: key W|N|LEFT|RIGHT|OTHER");
         v.OnKeyDown(it->second);
       }},
      {"conditions",
       [&](const Args& a) {
         ExpectCount(a, 2, 2, "conditions gauss|lorentz|none TOL");
         static const std::map<std::string, int> shapes = {{"gauss", 0}, {"lorentz", 1}, {"none", -1}};
         const auto it = shapes.find(a[0]);
         if (it == shapes.end()) throw ScriptError("usage: conditions gauss|lorentz|none TOL");
         const double tol = ParseReal(a[1]);
         if (!(tol >= 0.00001 && tol <= 1)) throw ScriptError("TOL must be 0.00001..1: " + a[1]);
         h.fitConditionAnswer = FitConditions{tol, it->second};
         v.OnLsqCondition();
       }},
      {"fit",
       [&](const Args& a) {
         ExpectCount(a, 0, 0, "fit");
         if (!v.IsLsqStartEnabled()) {
           m_out << "disabled: fit\n";
           return;
         }
         v.OnLsqStart();
       }},
      {"save-result",
       [&](const Args& a) {
         ExpectCount(a, 1, 1, "save-result PATH");
         if (!v.IsSaveResultEnabled()) {
           m_out << "disabled: save-result\n";
           return;
         }
         h.savePathAnswer = a[0];
         v.OnSaveResult();
       }},
      {"save-txt",
       [&](const Args& a) {
         ExpectCount(a, 1, 1, "save-txt PATH");
         h.savePathAnswer = a[0];
         v.OnFileSave();
       }},
      {"save-dat",
       [&](const Args& a) {
         ExpectCount(a, 1, 1, "save-dat PATH");
         h.savePathAnswer = a[0];
         v.OnFileSaveAs();
       }},
      {"background", [&](const Args& a) { ExpectCount(a, 0, 0, "background"), v.OnBackRemove(); }},
      {"polarize", [&](const Args& a) { ExpectCount(a, 0, 0, "polarize"), v.OnPolarCorrect(); }},
      {"render",
       [&](const Args& a) {
         if (a.size() != 1 && a.size() != 3) throw ScriptError("usage: render PATH [W H]");
         const int w = a.size() == 3 ? ParseIntIn(a[1], 1, 20000, "W") : 700;
         const int hgt = a.size() == 3 ? ParseIntIn(a[2], 1, 20000, "H") : 400;
         std::string error;
         if (!RenderViewToPng(v, a[0], w, hgt, error)) {
           throw ScriptError("cannot write " + a[0] + ": " + error);
         }
       }},
      {"state",
       [&](const Args& a) {
         ExpectCount(a, 0, 0, "state");
         m_out << StateJson(v) << '\n';
       }},
      {"points",
       [&](const Args& a) {
         ExpectCount(a, 0, 0, "points");
         const CTavDoc& d = v.GetDocument();
         char line[64];
         for (int i = 1; i <= d.m_nData; ++i) {
           std::snprintf(line, sizeof line, "%.17g %.17g\n", d.m_x[i], d.m_y[i]);
           m_out << line;
         }
       }},
  };

  const auto it = table.find(name);
  if (it == table.end()) throw ScriptError("unknown command: " + name);
  it->second(args);
  h.ClearAnswers();
}
