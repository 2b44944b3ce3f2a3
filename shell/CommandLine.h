#pragma once
#include "shell/SaverMode.h"

// Screensaver command line ("/c:123", "/p 456", "-s", "/t", "/a 77"), given as the whole text of
// GetCommandLineA including the program path. Sets windowNumber (0 unless the switch carries one).
SaverMode parseCommandLine(const char* text, long& windowNumber);
