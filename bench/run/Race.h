// One timed start of a program that should start the benchmark's stand-in
// next stage (StandIn.cpp) and exit: the launcher, an NSIS installer, or
// the stand-in itself.
//
// The clock is the performance counter, one clock for every process: the
// start is taken just before CreateProcess, the next stage's start is the
// stand-in's own record, and the exit is taken when the wait for the
// program's process returns.
#ifndef ORVANE_BENCH_RUN_RACE_H
#define ORVANE_BENCH_RUN_RACE_H

#include <windows.h>

#include <string>
#include <vector>

struct RaceLimits {
    DWORD exitMs = 120000;    // for the program to exit
    DWORD standInMs = 30000;  // after that, for the stand-in to record its start and exit
};

struct RaceResult {
    double nextStageMs;           // program start to the stand-in's start
    double exitMs;                // program start to the program's exit
    // CPU time of the program's main thread from the moment the stand-in's
    // start is seen to the program's exit (0 when the program had exited
    // by then).  Main thread only: Wine reports no process times of other
    // processes, and counts thread times in ticks of 10 ms.
    double cpuAfterNextStageMs;
    std::string standInFolder;    // the folder the stand-in ran from, with its backslash
};

// Runs commandLine (app is its program's full path) with folder (which must
// exist, with a trailing backslash) as its current folder, TMP and TEMP set
// to folder + "tmp\" (created here), and the stand-in's record in folder.
// The program's environment is the caller's otherwise; the caller's own is
// left alone.  Waits for the program's exit and for the stand-in's record
// and exit.  False, with the reason, when the program cannot start, runs
// out of time (it is then ended), exits with a code other than 0, or no
// stand-in records its start.  What the run leaves in folder is the
// caller's to remove.
bool TimeRun(const std::string& app, const std::string& commandLine, const std::string& folder,
             const RaceLimits& limits, RaceResult& result, std::string& error);

// TimeRun for several programs (at most MAXIMUM_WAIT_OBJECTS / 2) started
// together, one after the other as fast as CreateProcess allows, each in
// its own folder of folders (same rules); all are waited for at once.  results gets one entry per program.
// False, with the first reason, when any run fails; every program is
// ended by then.
bool TimeRunsTogether(const std::string& app, const std::string& commandLine, const std::vector<std::string>& folders,
                      const RaceLimits& limits, std::vector<RaceResult>& results, std::string& error);

#endif
