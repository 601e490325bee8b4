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
}  // namespace colors

// The drawing surface of the view, in device pixels. A fresh canvas has a
// black one-pixel pen, black text and the current position at (0, 0).
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPixel(int x, int y, Color color) = 0;
  // The 2 x 2 pixels of a data point, top-left corner at (x, y), in the order
  // (x, y), (x + 1, y), (x, y + 1), (x + 1, y + 1). A canvas may write them
  // at once: a long scan draws millions.
  virtual void SetPixelSquare(int x, int y, Color color) {
    SetPixel(x, y, color);
    SetPixel(x + 1, y, color);
    SetPixel(x, y + 1, color);
    SetPixel(x + 1, y + 1, color);
  }
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
};
