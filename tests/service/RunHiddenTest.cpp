#include "service/RunHidden.h"

#include <gtest/gtest.h>

namespace cvn::service {
namespace {

TEST(RunHiddenTest, ReportsTheExitCode) {
  EXPECT_EQ(0, RunHidden("exit_after", "0 0", 8000, true).code);
  EXPECT_EQ(3, RunHidden("exit_after", "3 0", 8000, false).code);
}

TEST(RunHiddenTest, ProgramThatCannotStartGivesMinusOneAndTheError) {
  const RunOutcome outcome = RunHidden("no_such_program_here", "", 8000, true);
  EXPECT_EQ(kCannotStart, outcome.code);
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), outcome.error);
}

TEST(RunHiddenTest, ProgramStillRunningAfterTheTimeoutGivesMinusTwo) {
  EXPECT_EQ(kTimedOut, RunHidden("exit_after", "0 3000", 100, true).code);
}

}  // namespace
}  // namespace cvn::service
