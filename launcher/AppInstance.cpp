#include "AppInstance.h"

HINSTANCE AppInstance;
