#include "client/shell/ExitDeadline.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tamber;

// A program whose clean-up hangs (libjack's close can) still ends, with the status it chose.
TEST(ExitDeadline, EndsAProgramWhoseCleanUpHangsWithItsStatus)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        armExitDeadline(std::chrono::milliseconds(50), 3);
        for (;;)
            ::pause();
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
}
