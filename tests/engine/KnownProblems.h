#pragma once
// A prefix with known problems in every section that can report one, each beside entries
// that must not be reported. The end-to-end scan test checks its exact records; the demo
// prefix in examples/demo-prefix is this content, written by DemoPrefixTest.
#include "tests/fixtures/TestPrefix.h"

namespace enginetest {

inline constexpr const char* kKnownProblemsUser = "demo";

void AddKnownProblems(fixtures::TestPrefix& prefix);

}  // namespace enginetest
