#include "profile/MeasuredReaders.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "text/Translate.h"

namespace {

MeasuredProfile ReadByFormat(ProfileFormat format, std::string_view bytes) {
  switch (format) {
    case ProfileFormat::Xrdml:
      return ReadXrdml(bytes);
    case ProfileFormat::Ras:
      return ReadRas(bytes);
    case ProfileFormat::Rasx:
      return ReadRasx(bytes);
    case ProfileFormat::Brml:
      return ReadBrml(bytes);
    case ProfileFormat::Rigaku:
    case ProfileFormat::Xy:
      break;
  }
  throw ProfileFormatError(TranslatedFormat(
      QT_TRANSLATE_NOOP("tav", "%1 は装置のファイル形式ではありません"), {FormatName(format)}));
}

// A product or an interpolation of finite numbers may still overflow.
void CheckFinite(const MeasuredProfile& profile) {
  for (std::size_t i = 0; i < profile.x.size(); ++i) {
    if (!std::isfinite(profile.x[i]) || !std::isfinite(profile.y[i])) {
      throw ProfileFormatError(TranslatedFormat(
          QT_TRANSLATE_NOOP("tav", "%1 点目が有限の数ではありません"), {std::to_string(i + 1)}));
    }
  }
}

}  // namespace

MeasuredProfile ReadMeasuredProfile(ProfileFormat format, std::string_view bytes) {
  MeasuredProfile profile = ReadByFormat(format, bytes);
  if (profile.x.empty() || profile.x.size() != profile.y.size()) {
    throw ProfileFormatError(Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません")));
  }
  CheckFinite(profile);
  return profile;
}
