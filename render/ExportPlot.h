#pragma once

#include <string>

class CTavView;

// The plot as a width x height picture, laid out as a window of that size
// shows it (the plot window following the size, with the view's other plot
// options), written as SVG when the path ends in ".svg" and as PDF when it
// ends in ".pdf" (any case), both in shapes and text, and as PNG otherwise. False with a reason
// when it cannot be written; the view is left as it was either way.
bool ExportPlot(CTavView& view, const std::string& path, int width, int height, std::string& error);
