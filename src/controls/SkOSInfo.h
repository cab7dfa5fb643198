// The operating-system information unit and the COM start-up unit: what the library records of the
// system when it starts.
#pragma once

#include "Platform.h"

#include <cstdint>

// The version record taken at start-up and the file versions of the two system libraries (least
// significant double word first; zero when unreadable).
const TOSVersionInfo& OSVersionInfo();
std::uint64_t ComCtlVersion();
std::uint64_t ShellVersion();
// Whether COM started for the process (it is stopped at exit only then).
bool ComInitialized();
