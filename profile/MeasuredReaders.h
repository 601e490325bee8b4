#pragma once

#include <string_view>

#include "profile/MeasuredProfile.h"
#include "profile/ProfileFormat.h"

// The readers of diffractometer files, each from the file's bytes and the
// scan to read (from 1). A file
// that is not what its format needs throws ProfileFormatError with the
// reason; a reader returns at least one point, X and Y finite.

// PANalytical XRDML 1.x and 2.0: the first scan's 2θ positions (start and
// end, or a list), its <intensities> or <counts> times the
// <beamAttenuationFactors> when present; kAlpha1, kAlpha2 and
// ratioKAlpha2KAlpha1; the sample's name.
MeasuredProfile ReadXrdml(std::string_view bytes, int scan = 1);

// Rigaku RAS text: the header lines *KEY "value" of the first scan
// (wavelengths from *HW_XG_WAVE_LENGTH_ALPHA1 and _ALPHA2, the sample from
// *FILE_SAMPLE), and its rows "2θ counts attenuation" between *RAS_INT_START
// and *RAS_INT_END, intensity = counts × attenuation.
MeasuredProfile ReadRas(std::string_view bytes, int scan = 1);

// Rigaku RASX, a zip archive: Data0/Profile0.txt as rows of "2θ counts
// attenuation", and the wavelengths and sample name from
// Data0/MesurementConditions0.xml (the vendor's spelling) when present.
MeasuredProfile ReadRasx(std::string_view bytes, int scan = 1);

// Bruker BRML, a zip archive: the raw data file that
// Experiment0/DataContainer.xml names (Experiment0/RawData0.xml without it),
// its <Datum> rows "time,?,2θ,θ,counts" (X from the third field, Y from the
// last), WaveLengthAlpha1, WaveLengthAlpha2 and WaveLengthRatio.
MeasuredProfile ReadBrml(std::string_view bytes, int scan = 1);

// Bruker RAW versions 1 to 4 ("RAW ", "RAW2", "RAW1.01", "RAW4.00"): every
// range a scan; a range the file ends within keeps its whole points and
// sets announced.
MeasuredProfile ReadRaw(std::string_view bytes, int scan = 1);

// Bruker/Siemens UXD text: _KEY=value lines, each range's data after a
// _COUNTS or _CPS line (counts from _START or _2THETA by _STEPSIZE) or a
// _2THETACOUNTS or _2THETACPS line (rows "2θ counts").
MeasuredProfile ReadUxd(std::string_view bytes, int scan = 1);

// GSAS powder data: a title line, then banks, each a BANK line and its rows:
// CONST (or CONS) with STD or ESD records read by column, FXY and FXYE rows
// of 2θ in centidegrees; σ from ESD and FXYE. Time-of-flight banks are
// refused.
MeasuredProfile ReadGsas(std::string_view bytes, int scan = 1);

// CHI (Fit2D and area-detector integration): a title, the X and Y labels and
// the point count, then rows "X Y"; X is 2θ or Q as the label says.
MeasuredProfile ReadChi(std::string_view bytes, int scan = 1);

// CIF powder data (pdCIF): each data block with a profile a scan. X from
// _pd_proc_2theta_corrected or the _pd_proc_2theta_range_* items, else from
// _pd_meas_2theta_scan or _pd_meas_2theta_range_*; Y from the measured counts
// or intensity, else the processed intensity; σ from the values' parenthesised
// uncertainties, else from _pd_proc_ls_weight for processed intensities;
// λ₁, λ₂ and the ratio from _diffrn_radiation_wavelength (and _wt).
MeasuredProfile ReadCif(std::string_view bytes, int scan = 1);

// Checks the scan asked for, from 1, against how many the file holds:
// returns it, or throws ProfileFormatError naming both.
int CheckedScan(int scan, int scans);

// The reader of one of the formats above, for scan (from 1).
MeasuredProfile ReadMeasuredProfile(ProfileFormat format, std::string_view bytes, int scan = 1);
