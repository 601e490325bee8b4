#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "fit/PeakReport.h"
#include "profile/Wavelengths.h"

class CTavView;

// The commands of the file, fitting and correction menus. Each runs on a view
// and its document, asks the view's host for what it needs (dialogs, message
// boxes, repaints) and changes the view only through its named operations.

void OnFileOpen(CTavView& view);      // ID_FILE_OPEN
void OnFileSave(CTavView& view);      // ID_FILE_SAVE: X-Y list
void OnFileSaveAs(CTavView& view);    // ID_FILE_SAVE_AS: count file
void OnLsqCondition(CTavView& view);  // ID_LSQ_CONDITION
void OnLsqStart(CTavView& view);      // ID_LSQ_START
void OnSaveResult(CTavView& view);    // ID_SAVE_RESULT
void OnBackRemove(CTavView& view);    // ID_BACK_REMOVE
void OnPolarCorrect(CTavView& view);  // ID_POLAR_CORRECT
// Subtracts the estimated baseline from the intensities inside the X range
// it was estimated over; the estimate is then used up (it described the
// profile before), and the Y range follows the new extremes. Enabled while
// an estimate with its bins and baseline is shown.
void OnBackSubtract(CTavView& view);
bool IsBackSubtractEnabled(const CTavView& view);
// The SNIP background estimate of the display range's points (see
// correct/Snip.h), its largest window's half-width `width` degrees 2θ
// (rounded to whole data steps, at least one), by default
// kSnipWidthPerHalfWidth times the half width at half maximum of the
// highest point; drawn and subtracted as the cubic is. Fewer than three
// points: a message, and nothing changes. Returns whether it was made.
bool OnBackSnip(CTavView& view, std::optional<double> width = std::nullopt);
constexpr double kSnipWidthPerHalfWidth = 6.0;
// The default window of OnBackSnip for points (x[i], y[i]) in scan order,
// at least three and not all at one X.
double DefaultSnipWidth(const std::vector<double>& x, const std::vector<double>& y);

// Removes peak k (1..the peaks placed) as CTavView::RemovePeak does, and
// repaints; false, changing nothing, for any other k.
bool OnRemovePeak(CTavView& view, int k);

// The open command refusing, with a message and no change, a profile of more
// than maxPoints points (at most CTavDoc::kMaxPoints, what OnFileOpen allows).
void OpenWithPointLimit(CTavView& view, std::size_t maxPoints);

// Reads the profile at path into the document without dialogs, its format
// told by its content as "自動判別" tells it (an X-Y list whole, with the
// view's lines to skip), and gives it the default wavelengths when it states
// none. The
// view's range, peaks and fit stay as they are. False when nothing was
// stored; every problem (also a file shorter than it announces) is reported
// to the host. A file of several scans gives scan (from 1), else the first.
bool ReadProfileByContent(CTavView& view, const std::string& path,
                          std::optional<int> scan = std::nullopt);
// Reads path again as the document's points were read (ReadRecipe): an X-Y
// list after skipLines lines up to lastLine, or, with lastLine 0, by content
// with the scan given. No dialog is shown; false, with the host told why,
// when nothing was stored. The reading settings become skipLines and
// lastLine.
bool ReadProfileAgain(CTavView& view, const std::string& path, int skipLines, int lastLine,
                      int scan);

// Saves the peak report of the fit on screen as CSV (through the save dialog).
void OnSaveReport(CTavView& view);

// The settings the peak report is made with: the open profile's λ1 and the
// view's Scherrer settings.
ReportSettings ReportSettingsOf(const CTavView& view);
// The instrument function (while in use) and the position correction (while
// on) of the session's calibration, into the report's settings.
void AddCalibrationSettings(const CTavView& view, ReportSettings& settings);
// The report of the fit on screen made again with the current settings.
void RefreshReport(CTavView& view);
// The wavelengths of the open profile, as the user states them; the report of
// the fit on screen follows.
void SetProfileWavelengths(CTavView& view, const Wavelengths& wavelengths);
// The Scherrer constant K and the instrumental FWHM (degrees 2θ); the report
// of the fit on screen follows.
void SetScherrerSettings(CTavView& view, double k, double instrumentalFwhm);

// Starting widths of placed peaks from the data (true) or from the display
// span (false, the default).
void SetInitialWidthFromData(CTavView& view, bool fromData);
// The Kα1/Kα2 doublet on, with the Kα2/Kα1 height ratio given (unset: the
// profile's, else 0.5), or off. Turning it on needs both wavelengths of the
// open profile: without them it says so and changes nothing. Returns whether
// the option is now as asked.
bool SetDoublet(CTavView& view, bool on, std::optional<double> ratio = std::nullopt);

// A message box after every step of a fit (the default), or the step
// messages in the host's status line and only the final box.
void SetStepMessages(CTavView& view, bool boxes);
// The box after a fit: the first peak's bare height (the default), or one
// naming the shape, χ², the convergence and the height with its uncertainty.
void SetDetailedFitMessage(CTavView& view, bool detailed);

// How the fit weighs the points (see FitWeights); σ weights need a profile
// with uncertainties: without them a message says so and nothing changes.
// Returns whether the weights are now as asked.
bool SetFitWeights(CTavView& view, FitWeights weights);

// A parameter, or a set of them, that a constraint names: peak k's (from 1),
// every peak's, or the background's; index in the registry's order of the
// shape's parameters (0 height, 1 position, 2 width, …), or for the
// background its term (0 the slope and 1 the intercept of the line, k the
// series' ck).
struct ParameterRef {
  static constexpr int kAllPeaks = 0;
  static constexpr int kBackground = -1;
  int peak = kAllPeaks;
  int index = 0;
};
// The index of a parameter named as the registry names it ("height",
// "eta", …; "slope", "intercept" or "c0"… for the background) under the
// view's shape and background order, or none.
std::optional<int> ParameterIndexNamed(const CTavView& view, int peak, const std::string& name);
// Holds (or frees) the parameters at their values.
void SetParameterFixed(CTavView& view, const ParameterRef& ref, bool fixed);
// Keeps the parameters inside lower..upper (±∞ for no bound), or drops the
// bounds.
void SetParameterBounds(CTavView& view, const ParameterRef& ref, double lower, double upper);
void ClearParameterBounds(CTavView& view, const ParameterRef& ref);
// One width (or one η or m) for every peak.
enum class SharedParameter { kWidth, kShape };
void SetSharing(CTavView& view, SharedParameter what, bool shared);
// The physical ranges of the mixed shapes on (the default) or off.
void SetPhysicalBounds(CTavView& view, bool on);
// The peaks the table takes (kMaxPeaks..kPeakCapacity); refused with a
// message, changing nothing, below the peaks placed.
bool SetMaxPeaks(CTavView& view, int peaks);
// The order of the background refined with the peaks (kMinBackgroundOrder..
// kMaxBackgroundOrder; 1, the line, by default); another order is refused
// (false). A new order frees the background's terms (their constraints named
// the other order's terms) and drops the report; the next fit starts from
// the fitted background expanded in the new order (cut after it when lower).
bool SetBackgroundOrder(CTavView& view, int order);
