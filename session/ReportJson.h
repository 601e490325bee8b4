#pragma once

// The fit's report and the calibration as parts of a session file, and back:
// stored as they were made (statistics, covariance, notes), not worked out
// again.

#include "fit/PeakReport.h"
#include "session/JsonFields.h"
#include "view/CalibrationState.h"

// A peak shape by its name (null for none), and back: an unknown name is
// refused; a missing or null key is no shape.
Json ShapeNameJson(int function);
const PeakShape* ShapeOf(const Field& json);
int ShapeNumberOf(const Field& parent, const char* key);

Json ReportJson(const PeakReport& report);
PeakReport ReportOf(const Field& json);

Json CalibrationJson(const CalibrationState& calibration);
CalibrationState CalibrationOf(const Field& json);
