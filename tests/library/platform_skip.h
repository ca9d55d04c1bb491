// Tests that need a means only POSIX systems offer (fork, resource limits,
// /dev/full, FIFOs, symbolic links, the default message handler's stderr,
// loading libkorvane.so.1) run everywhere else and are reported as skipped on
// Windows, with the reason printed:
//
//   TEST(Suite, Name) {
//       KORVANE_SKIP_ON_WINDOWS("needs fork and RLIMIT_FSIZE to fill the disk");
//   #ifndef _WIN32
//       ... the body, where it uses POSIX calls ...
//   #endif
//   }
//
// Where the fault can be made on Windows too (an output path that is a
// folder, a missing template, a read-only file), a test of its own covers it
// there.
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#  define KORVANE_SKIP_ON_WINDOWS(reason) GTEST_SKIP() << "not on Windows: " << reason
#else
#  define KORVANE_SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif
