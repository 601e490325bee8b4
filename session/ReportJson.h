#pragma once

// The fit's report and the calibration as parts of a session file, and back:
// stored as they were made (statistics, covariance, notes), not worked out
// again.

#include "fit/PeakReport.h"
#include "session/JsonFields.h"
#include "view/CalibrationState.h"

Json ReportJson(const PeakReport& report);
PeakReport ReportOf(const Field& json);

Json CalibrationJson(const CalibrationState& calibration);
CalibrationState CalibrationOf(const Field& json);
