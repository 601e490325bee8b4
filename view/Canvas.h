#pragma once

#include <cstdint>
#include <string>

// A colour in the 0x00BBGGRR layout: 0xFF0000 is blue, 0x0000FF is red.
using Color = std::uint32_t;

namespace colors {
constexpr Color kBlue = 0xFF0000;
constexpr Color kGreen = 0x00FF00;
constexpr Color kYellow = 0x00FFFF;
constexpr Color kPurple = 0x7D007D;
constexpr Color kRed = 0x0000FF;
constexpr Color kGrey = 0x7D7D7D;
constexpr Color kBlack = 0x000000;
constexpr Color kLightGrey = 0xD0D0D0;
constexpr Color kWhite = 0xFFFFFF;
}  // namespace colors

// The drawing surface of the view, in device pixels. A fresh canvas has a
// black one-pixel pen, black text and the current position at (0, 0).
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPixel(int x, int y, Color color) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Draws from the current position to (x, y) with the pen, end point excluded.
  virtual void LineTo(int x, int y) = 0;
  // Text with its top-left corner at (x, y), in the current text colour.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual void SetTextColor(Color color) = 0;
  // One-pixel frame of the rectangle; the right and bottom edges are excluded,
  // so the frame's pixels are columns left and right-1, rows top and bottom-1.
  virtual void FrameRect(int left, int top, int right, int bottom, Color color) = 0;
  // The size of the cell TextOut fills for the text; a canvas that draws no
  // text gives an estimate.
  virtual int TextWidth(const std::string& text) { return 8 * static_cast<int>(text.size()); }
  virtual int TextHeight() { return 16; }

  // The parts below draw the same pixels as the SetPixel calls they stand
  // for; they tell a canvas that draws shapes rather than pixels (a vector
  // picture) what the pixels belong to.

  // The SetPixel calls until EndCurve are the samples of one curve, one a
  // column: samples in neighbouring columns are joined by a line.
  virtual void BeginCurve() {}
  virtual void EndCurve() {}
  // A filled square of size x size pixels with its top-left pixel at (x, y),
  // row by row (a data point is one of 2 x 2: a pixel canvas may write them
  // at once, as a long scan draws millions).
  virtual void FillSquare(int x, int y, int size, Color color) {
    for (int dy = 0; dy < size; ++dy) {
      for (int dx = 0; dx < size; ++dx) SetPixel(x + dx, y + dy, color);
    }
  }
  // Every step-th pixel of a row from x0 up to x1 (excluded), or of a column
  // from y0 up to y1 when x0 == x1 and y0 != y1.
  virtual void DottedLine(int x0, int y0, int x1, int y1, int step, Color color) {
    if (y0 == y1) {
      for (int x = x0; x < x1; x += step) SetPixel(x, y0, color);
    } else {
      for (int y = y0; y < y1; y += step) SetPixel(x0, y, color);
    }
  }
  // The rectangle's cells [left, right) x [top, bottom) in one colour.
  virtual void FillRect(int left, int top, int right, int bottom, Color color) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) SetPixel(x, y, color);
    }
  }
  // Text turned a quarter turn to the left (read from bottom to top): its
  // cell covers the columns x..x+TextHeight()-1 and the rows
  // y..y+TextWidth(text)-1.
  virtual void TextOutUp(int x, int y, const std::string& text) { TextOut(x, y, text); }
};
