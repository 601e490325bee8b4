#include "app/canvas/RenderPng.h"

bool RenderViewToPng(const CTavView&, const std::string&, int, int, std::string& error) {
  error = "rendering is not available";
  return false;
}
