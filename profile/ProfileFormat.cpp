#include "profile/ProfileFormat.h"

const char* FormatName(ProfileFormat format) {
  switch (format) {
    case ProfileFormat::Rigaku:
      return "rigaku";
    case ProfileFormat::Xy:
      return "xy";
    case ProfileFormat::Xrdml:
      return "xrdml";
    case ProfileFormat::Ras:
      return "ras";
    case ProfileFormat::Rasx:
      return "rasx";
    case ProfileFormat::Brml:
      return "brml";
  }
  return "";
}

const char* FormatLabel(ProfileFormat format) {
  switch (format) {
    case ProfileFormat::Rigaku:
      return "RINT";
    case ProfileFormat::Xy:
      return "X-Y";
    case ProfileFormat::Xrdml:
      return "XRDML";
    case ProfileFormat::Ras:
      return "RAS";
    case ProfileFormat::Rasx:
      return "RASX";
    case ProfileFormat::Brml:
      return "BRML";
  }
  return "";
}
