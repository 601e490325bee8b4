#include "view/NumberText.h"

#include <cstdio>

std::string NumberText(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.8g", value);
  return text;
}
