#pragma once

#include <QColor>
#include <QSize>
#include <string>

#include "view/Canvas.h"

class QImage;
class QPainter;

// Text as the view's device context draws it: a pixel-size font (so that a
// printer does not enlarge it), the top-left corner of the text at (x, y),
// the text's cell (advance width x font height) filled with the white
// background first, as in the opaque background mode. Glyphs are not
// antialiased, so the text has exactly the colour asked for.
void DrawCanvasText(QPainter& painter, int x, int y, const std::string& text, Color color);
// The size of the cell DrawCanvasText fills for the text on the painter.
QSize CanvasTextCellSize(const QPainter& painter, const std::string& text);

// The same text cell as an image, drawn once and kept (the labels of a
// drawing repeat on every redraw); blitting it at (x, y) leaves the same
// pixels as DrawCanvasText. Needs a QGuiApplication.
const QImage& CanvasTextImage(const std::string& text, Color color);

// Colour of the 0x00BBGGRR layout as a Qt colour.
QColor ToQColor(Color color);
