#include "profile/MeasuredReaders.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "text/Translate.h"

namespace {

MeasuredProfile ReadByFormat(ProfileFormat format, std::string_view bytes, int scan) {
  switch (format) {
    case ProfileFormat::Xrdml:
      return ReadXrdml(bytes, scan);
    case ProfileFormat::Ras:
      return ReadRas(bytes, scan);
    case ProfileFormat::Rasx:
      return ReadRasx(bytes, scan);
    case ProfileFormat::Brml:
      return ReadBrml(bytes, scan);
    case ProfileFormat::Raw:
      return ReadRaw(bytes, scan);
    case ProfileFormat::Uxd:
      return ReadUxd(bytes, scan);
    case ProfileFormat::Gsas:
      return ReadGsas(bytes, scan);
    case ProfileFormat::Chi:
      return ReadChi(bytes, scan);
    case ProfileFormat::Cif:
      return ReadCif(bytes, scan);
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

int CheckedScan(int scan, int scans) {
  if (scan < 1 || scan > scans)
    throw ProfileFormatError(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "スキャン %1 はありません (ファイルのスキャンは %2 個です)"),
        {std::to_string(scan), std::to_string(scans)}));
  return scan;
}

MeasuredProfile ReadMeasuredProfile(ProfileFormat format, std::string_view bytes, int scan) {
  MeasuredProfile profile = ReadByFormat(format, bytes, scan);
  if (profile.x.empty() || profile.x.size() != profile.y.size() ||
      (!profile.sigma.empty() && profile.sigma.size() != profile.y.size())) {
    throw ProfileFormatError(Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません")));
  }
  CheckFinite(profile);
  return profile;
}
