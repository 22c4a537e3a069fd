#include "RunOutput.h"

#include <windows.h>

void RunOutput::Remove() {
    for (const QlString& file : files) DeleteFileA(file);
    for (const QlString& folder : folders) RemoveDirectoryA(folder);
    if (!script.IsEmpty()) DeleteFileA(script);
}
