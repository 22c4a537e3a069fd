// What the splash's window procedure and the launcher's waits share: has
// the splash painted, has it ended, has the next stage started.  One owner
// (SplashState.cpp); everything else asks and tells through these calls.
// All of it happens on the one GUI thread (the window procedure runs inside
// the pump, a message box's loop or DestroyWindow), so plain flags suffice.
// At program start a splash is about to be shown: not painted, alive, and
// no next stage yet.
#ifndef ORVANE_SPLASH_SPLASHSTATE_H
#define ORVANE_SPLASH_SPLASHSTATE_H

bool SplashHasPainted();
bool SplashHasEnded();
bool NextStageStarted();

void NoteSplashPainted();
// Also counts as painted: a wait for the first paint must end too.
void NoteSplashEnded();
// From then on the splash ends itself when it loses the focus.
void NoteNextStageStarted();

// The state of a splash about to be shown, as at program start.
void ResetSplashState();

#endif
