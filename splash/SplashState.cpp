#include "SplashState.h"

namespace {

int SplashPaintPending = 1;
int SplashAlive = 1;
bool NextStageLaunched = false;

}  // namespace

bool SplashHasPainted() {
    return SplashPaintPending == 0;
}

bool SplashHasEnded() {
    return SplashAlive == 0;
}

bool NextStageStarted() {
    return NextStageLaunched;
}

void NoteSplashPainted() {
    SplashPaintPending = 0;
}

void NoteSplashEnded() {
    SplashAlive = 0;
    SplashPaintPending = 0;
}

void NoteNextStageStarted() {
    NextStageLaunched = true;
}

void ResetSplashState() {
    SplashPaintPending = 1;
    SplashAlive = 1;
    NextStageLaunched = false;
}
