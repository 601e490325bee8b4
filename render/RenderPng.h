#pragma once

#include <string>

class CTavView;

// Draws the view with OnDraw into a width x height image on a white
// background and writes it as PNG. Returns false with a reason in error when
// the image cannot be written.
bool RenderViewToPng(const CTavView& view, const std::string& path, int width, int height,
                     std::string& error);
