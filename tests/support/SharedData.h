// Data that tests read in place from the shared folder beside the project (the published food table,
// the PngSuite images). Where the folder is missing a test of it is skipped on a developer's machine;
// in CI (CI=true) the data belongs to the run, and a test that cannot find it fails instead of passing
// without having looked at anything.
#pragma once

#include <QString>
#include <gtest/gtest.h>

// Whether this run is CI's: the environment variable CI is "true" or "1".
bool RunningInCI();

enum class TSharedDataVerdict { Present, Skip, Fail };
// What a test does about data at `path`: uses it, skips, or fails.
TSharedDataVerdict SharedDataVerdict(const QString& path);

// Ends the test here, skipped or failed by the rule above, when `path` (a file or folder) is missing.
#define REQUIRE_SHARED_DATA(path)                                                                            \
    do {                                                                                                     \
        const QString requiredPath_ = (path);                                                                \
        switch (SharedDataVerdict(requiredPath_)) {                                                          \
        case TSharedDataVerdict::Present:                                                                    \
            break;                                                                                           \
        case TSharedDataVerdict::Skip:                                                                       \
            GTEST_SKIP() << "not beside the project: " << requiredPath_.toStdString();                       \
        case TSharedDataVerdict::Fail:                                                                       \
            FAIL() << "CI runs with the shared data, but it is missing: " << requiredPath_.toStdString();    \
        }                                                                                                    \
    } while (false)
