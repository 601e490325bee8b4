#pragma once

#include "cli/ScriptCommands.h"

// The calibration's commands:
//   calibrate add|remove I|clear|list|fit
//   instrument save PATH | load PATH | use on|off
//   goniometer-radius MM|none
//   lattice cubic A [P|I|F] | tetragonal A C [P|I] | hexagonal A C |
//           orthorhombic A B C [P|I|F|C] | refine [zero] [displacement] |
//           correct on|off
// and the Williamson–Hall exclusions (williamson-hall exclude|include K...).
void CalibrateCommand(ScriptSession& s, const Args& a);
void InstrumentCommand(ScriptSession& s, const Args& a);
void GoniometerRadiusCommand(ScriptSession& s, const Args& a);
void LatticeCommand(ScriptSession& s, const Args& a);
void WilliamsonHallExclusionCommand(ScriptSession& s, const Args& a);
