// What one run of the launcher wrote, so that a run that cannot finish
// takes back exactly that and nothing else.
#ifndef ORVANE_LAUNCHER_RUNOUTPUT_H
#define ORVANE_LAUNCHER_RUNOUTPUT_H

#include "archive/PathList.h"
#include "string/QlString.h"

struct RunOutput {
    PathList folders;     // the run's folder and those extraction created, newest first
    PathList files;       // every file this run created, newest first
    QlString script;      // empty until the script is created
    QlString folderPath;  // the run's folder with its trailing backslash, once created

    // Deletes the files, removes the folders children first, then deletes
    // the script; tries again, for a bounded time, what another program
    // holds open.  The script must be closed.
    void Remove();
};

#endif
