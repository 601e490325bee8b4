#include "render/LinkedPictureWriters.h"

#include "render/ExportPlot.h"
#include "render/RenderPng.h"

const PictureWriters* LinkedPictureWriters(std::string& /*error*/) {
  static const PictureWriters writers{RenderViewToPng, ExportPlot};
  return &writers;
}
