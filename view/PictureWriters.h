#pragma once

#include <string>

class CTavView;

// The writers of the plot as a picture file, which need Qt's painting. The
// layers below the hosts only name them; a host gives them (tav-cli loads
// them from a module on first use, so that an empty script starts without
// Qt's GUI libraries).
struct PictureWriters {
  // The classic picture: OnDraw into a width x height PNG on white.
  bool (*renderPng)(const CTavView& view, const std::string& path, int width, int height,
                    std::string& error);
  // The plot as a window of that size shows it: SVG, PDF or PNG by the
  // path's extension.
  bool (*exportPlot)(CTavView& view, const std::string& path, int width, int height,
                     std::string& error);
};

// The picture's size when none is asked for: the client area the plot
// follows, else the fixed picture's.
void DefaultExportSize(const CTavView& view, int& width, int& height);
