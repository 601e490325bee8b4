#pragma once

#include "cli/ScriptCommands.h"

// The series fit's commands:
//   series OUT.csv FILE...      fits the session's peaks in every file, writes OUT.csv
//   series-mode chain|independent
//   series-jobs N               worker threads of an independent series (1..256)
//   series-shard I N            only the files whose index ≡ I (mod N)
// Progress goes to the error stream: a line per file, or a bar when it is a
// terminal.
void SeriesCommand(ScriptSession& s, const Args& a);
void SeriesModeCommand(ScriptSession& s, const Args& a);
void SeriesJobsCommand(ScriptSession& s, const Args& a);
void SeriesShardCommand(ScriptSession& s, const Args& a);
// series-scan N: the scan each file of several gives the series.
void SeriesScanCommand(ScriptSession& s, const Args& a);
