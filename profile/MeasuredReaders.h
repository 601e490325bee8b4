#pragma once

#include <string_view>

#include "profile/MeasuredProfile.h"
#include "profile/ProfileFormat.h"

// The readers of diffractometer files, each from the file's bytes. A file
// that is not what its format needs throws ProfileFormatError with the
// reason; a reader returns at least one point, X and Y finite.

// PANalytical XRDML 1.x and 2.0: the first scan's 2θ positions (start and
// end, or a list), its <intensities> or <counts> times the
// <beamAttenuationFactors> when present; kAlpha1, kAlpha2 and
// ratioKAlpha2KAlpha1; the sample's name.
MeasuredProfile ReadXrdml(std::string_view bytes);

// Rigaku RAS text: the header lines *KEY "value" of the first scan
// (wavelengths from *HW_XG_WAVE_LENGTH_ALPHA1 and _ALPHA2, the sample from
// *FILE_SAMPLE), and its rows "2θ counts attenuation" between *RAS_INT_START
// and *RAS_INT_END, intensity = counts × attenuation.
MeasuredProfile ReadRas(std::string_view bytes);

// Rigaku RASX, a zip archive: Data0/Profile0.txt as rows of "2θ counts
// attenuation", and the wavelengths and sample name from
// Data0/MesurementConditions0.xml (the vendor's spelling) when present.
MeasuredProfile ReadRasx(std::string_view bytes);

// Bruker BRML, a zip archive: the raw data file that
// Experiment0/DataContainer.xml names (Experiment0/RawData0.xml without it),
// its <Datum> rows "time,?,2θ,θ,counts" (X from the third field, Y from the
// last), WaveLengthAlpha1, WaveLengthAlpha2 and WaveLengthRatio.
MeasuredProfile ReadBrml(std::string_view bytes);

// The reader of one of the four formats above.
MeasuredProfile ReadMeasuredProfile(ProfileFormat format, std::string_view bytes);
