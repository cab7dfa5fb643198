// The program's own version.
#pragma once

#include <QString>

// Four numbers joined by ".": major, minor, release, build.
QString GetFileVersionString();
