#include "profile/ProfileFormat.h"

namespace {

struct FormatNames {
  ProfileFormat format;
  const char* name;
  const char* label;
};

constexpr FormatNames kFormats[] = {
    {ProfileFormat::Rigaku, "rigaku", "RINT"}, {ProfileFormat::Xy, "xy", "X-Y"},
    {ProfileFormat::Xrdml, "xrdml", "XRDML"},  {ProfileFormat::Ras, "ras", "RAS"},
    {ProfileFormat::Rasx, "rasx", "RASX"},     {ProfileFormat::Brml, "brml", "BRML"},
    {ProfileFormat::Raw, "raw", "Bruker RAW"}, {ProfileFormat::Uxd, "uxd", "UXD"},
    {ProfileFormat::Gsas, "gsas", "GSAS"},     {ProfileFormat::Chi, "chi", "CHI"},
    {ProfileFormat::Cif, "cif", "CIF"},
};

const FormatNames* NamesOf(ProfileFormat format) {
  for (const FormatNames& names : kFormats) {
    if (names.format == format) return &names;
  }
  return nullptr;
}

}  // namespace

const char* FormatName(ProfileFormat format) {
  const FormatNames* names = NamesOf(format);
  return names ? names->name : "";
}

const char* FormatLabel(ProfileFormat format) {
  const FormatNames* names = NamesOf(format);
  return names ? names->label : "";
}
