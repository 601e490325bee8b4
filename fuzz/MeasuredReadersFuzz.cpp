// Content detection and the readers of diffractometer files (XRDML, RAS,
// RASX, BRML, Bruker RAW, UXD, GSAS, CHI, CIF) on the input's bytes, loaded through a file as the
// open command loads them. Every reader runs on every input, whatever detection says, so that each
// meets bytes meant for the others.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "fuzz/ScratchFolder.h"
#include "profile/FileTypeDetect.h"
#include "profile/MeasuredReaders.h"

namespace {

// A reader either refuses the bytes with a reason or gives points that are
// all finite, with the scan it read counted.
void CheckReader(ProfileFormat format, std::string_view bytes) {
  try {
    const MeasuredProfile profile = ReadMeasuredProfile(format, bytes);
    FUZZ_CHECK(!profile.x.empty());
    FUZZ_CHECK(profile.x.size() == profile.y.size());
    for (std::size_t i = 0; i < profile.x.size(); ++i) {
      FUZZ_CHECK(std::isfinite(profile.x[i]) && std::isfinite(profile.y[i]));
    }
    FUZZ_CHECK(profile.scans >= 1);
    for (const auto& w : {profile.wavelengths.lambda1, profile.wavelengths.lambda2,
                          profile.wavelengths.alpha2Ratio}) {
      FUZZ_CHECK(!w || (*w > 0 && std::isfinite(*w)));
    }
  } catch (const ProfileFormatError& error) {
    FUZZ_CHECK(*error.what() != '\0');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const std::string path = ScratchFolder::Get().Write("profile", raw);
  std::string bytes, error;
  FUZZ_CHECK(LoadProfileBytes(path, bytes, error));
  FUZZ_CHECK(bytes == raw);

  const Detection detection = DetectProfileFormat(bytes);
  // A file is either read as a format or said to be something else.
  FUZZ_CHECK(detection.format.has_value() == detection.recognised.empty());
  for (const ProfileFormat format : {ProfileFormat::Xrdml, ProfileFormat::Ras, ProfileFormat::Rasx,
                                     ProfileFormat::Brml, ProfileFormat::Raw, ProfileFormat::Uxd,
                                     ProfileFormat::Gsas, ProfileFormat::Chi, ProfileFormat::Cif}) {
    CheckReader(format, bytes);
  }
  return 0;
}
