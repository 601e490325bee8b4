#pragma once

#include "cli/ScriptCommands.h"

// The fit's constraints and the size of the peak table:
//   fix K NAME, free K NAME        hold or release a parameter (K: a peak
//                                  number, all, or background)
//   bound K NAME LO HI, unbound K NAME
//   bounds default on|off          the mixed shapes' physical ranges
//   share width|shape, unshare width|shape
//   max-peaks N                    10..200
//   background-order N             0..6 (1: the line)
void FixCommand(ScriptSession& s, const Args& a);
void FreeCommand(ScriptSession& s, const Args& a);
void BoundCommand(ScriptSession& s, const Args& a);
void UnboundCommand(ScriptSession& s, const Args& a);
void BoundsCommand(ScriptSession& s, const Args& a);
void ShareCommand(ScriptSession& s, const Args& a);
void UnshareCommand(ScriptSession& s, const Args& a);
void MaxPeaksCommand(ScriptSession& s, const Args& a);
void BackgroundOrderCommand(ScriptSession& s, const Args& a);
