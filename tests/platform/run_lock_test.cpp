// The build directory's lock shared with a build batch that is not waited for.

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/host_process.h"
#include "platform/run_lock.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

// The window's build starts the batch and lets go of its own handle at
// once: the batch, which inherited the lock, holds the build directory
// until it ends, so a package made meanwhile is refused.
TEST(SharedRunLock, AStartedBatchHoldsTheBuildDirectoryUntilItEnds) {
    testing::TempDir dir;
    dir.Write("build.bat", "@echo off\r\n:wait\r\nif not exist go.txt goto wait\r\n");
    {
        Result<RunLock> lock = LockRun(dir.path(), 0);
        ASSERT_TRUE(lock.ok() && lock->Held());
        lock->ShareWithChildren();
        ASSERT_TRUE(HostProcesses().StartBatch(dir / "build.bat").ok());
    }
    Result<RunLock> meanwhile = LockRun(dir.path(), 0);
    ASSERT_FALSE(meanwhile.ok());
    EXPECT_EQ(meanwhile.error().message, kLockHeldElsewhere);
    dir.Write("go.txt", "");
    Result<RunLock> after = LockRun(dir.path(), 60000);  // once the batch has ended
    EXPECT_TRUE(after.ok() && after->Held());
}

}  // namespace
}  // namespace cuffware
#endif
