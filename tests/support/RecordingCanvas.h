#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "view/Canvas.h"

// Records every drawing call in order, and keeps the last colour set at each
// pixel by SetPixel.
class RecordingCanvas : public Canvas {
 public:
  struct Op {
    enum Kind { Pixel, Move, Line, Text, TextColor, Frame } kind;
    int x = 0, y = 0, x2 = 0, y2 = 0;
    Color color = 0;
    std::string text;
  };

  void SetPixel(int x, int y, Color color) override {
    ops.push_back({Op::Pixel, x, y, 0, 0, color, {}});
    pixels[{x, y}] = color;
  }
  void MoveTo(int x, int y) override { ops.push_back({Op::Move, x, y, 0, 0, 0, {}}); }
  void LineTo(int x, int y) override { ops.push_back({Op::Line, x, y, 0, 0, 0, {}}); }
  void TextOut(int x, int y, const std::string& text) override {
    ops.push_back({Op::Text, x, y, 0, 0, textColor, text});
  }
  void SetTextColor(Color color) override {
    textColor = color;
    ops.push_back({Op::TextColor, 0, 0, 0, 0, color, {}});
  }
  void FrameRect(int left, int top, int right, int bottom, Color color) override {
    ops.push_back({Op::Frame, left, top, right, bottom, color, {}});
  }

  // The colour last set at (x, y), or -1 when no pixel was set there.
  long long PixelAt(int x, int y) const {
    const auto it = pixels.find({x, y});
    return it == pixels.end() ? -1 : static_cast<long long>(it->second);
  }
  int Count(Op::Kind kind) const {
    int n = 0;
    for (const Op& op : ops) n += op.kind == kind;
    return n;
  }

  std::vector<Op> ops;
  std::map<std::pair<int, int>, Color> pixels;
  Color textColor = 0;
};
