#pragma once

// Command identifiers of the main frame. The program's own commands keep the
// numbers of their resource ids; the framework's commands keep the
// framework's numbers. Each QAction carries its id as data.
namespace cmd {
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;
constexpr int ID_RANGE_SET = 32772;
constexpr int ID_PEAK_POSITION = 32773;
constexpr int ID_RANGE_RESET = 32774;
constexpr int ID_LSQ_START = 32775;
constexpr int ID_SAVE_RESULT = 32776;
constexpr int ID_LSQ_CONDITION = 32777;
constexpr int ID_RANGE_INPUT = 32778;
constexpr int ID_BACK_REMOVE = 32779;
constexpr int ID_POLAR_CORRECT = 32780;
constexpr int ID_SAVE_REPORT = 32781;
constexpr int ID_REPORT_SETTINGS = 32782;
constexpr int ID_PEAK_TABLE = 32783;
constexpr int ID_SERIES_FIT = 32784;
constexpr int ID_FIND_PEAKS = 32785;
// The view menu, background subtraction and plot export.
constexpr int ID_VIEW_SCALE_LINEAR = 32790;
constexpr int ID_VIEW_SCALE_SQRT = 32791;
constexpr int ID_VIEW_SCALE_LOG = 32792;
constexpr int ID_VIEW_TICKS = 32793;
constexpr int ID_VIEW_GRID = 32794;
constexpr int ID_VIEW_RESIDUALS = 32795;
constexpr int ID_VIEW_CLIP = 32796;
constexpr int ID_VIEW_FIT_WINDOW = 32797;
constexpr int ID_BACK_SUBTRACT = 32798;
constexpr int ID_EXPORT_PLOT = 32799;
// The calibration menu.
constexpr int ID_CALIBRATE_ADD = 32800;
constexpr int ID_CALIBRATION = 32801;
constexpr int ID_LATTICE = 32802;
// The SNIP background estimate.
constexpr int ID_BACK_SNIP = 32830;
// Sessions as files and the fit as data.
constexpr int ID_SESSION_SAVE = 32840;
constexpr int ID_SESSION_OPEN = 32841;
constexpr int ID_EXPORT_FIT = 32842;
}  // namespace cmd
