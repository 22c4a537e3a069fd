#include "Launcher.h"

HINSTANCE AppInstance;
