// The run from the temporary folder to the started next stage, step by
// step: find the paths, check the command line and the free space, claim
// the script and the folder and extract the payload while writing the
// script, start the next stage.
#ifndef ORVANE_LAUNCHER_RUN_H
#define ORVANE_LAUNCHER_RUN_H

#include <windows.h>

#include "launcher/FailureReport.h"
#include "launcher/RunOutput.h"
#include "launcher/system/KernelHandle.h"

// True once the next stage has started, its process held by nextStage when
// that is not null.  False, with the failure recorded, at
// the first step that stops the run, also when memory runs out; output then
// holds what the run wrote, for the failure path to take back.  The archives
// are the resources of instance.
bool RunSetup(HINSTANCE instance, const wchar_t* arguments, RunOutput& output, RunFailure& failure,
              KernelHandle* nextStage);

#endif
