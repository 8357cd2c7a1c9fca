#include "platform/AppPaths.h"
#include "platform/Hook.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

namespace {

void RedirectAndFail()
{
    const platform::ScopedHook redirected(platform::SetAppPathForTesting, "/tmp/left-early");
    FAIL() << "an assertion fails while the stand-in is installed";
}

} // namespace

TEST(ScopedHook, PutsBackWhatWasInstalledBeforeInTheReverseOrder)
{
    const QString real = platform::AppPath();
    {
        const platform::ScopedHook outer(platform::SetAppPathForTesting, "/tmp/outer");
        {
            const platform::ScopedHook inner(platform::SetAppPathForTesting, "/tmp/inner");
            EXPECT_EQ(platform::AppPath(), "/tmp/inner");
        }
        EXPECT_EQ(platform::AppPath(), "/tmp/outer");
    }
    EXPECT_EQ(platform::AppPath(), real);

    {
        const platform::ScopedHook answered(platform::SetMsgBoxHandler, [](const QString&, int, const QString&) {
            return int(platform::vbYes);
        });
        EXPECT_EQ(platform::MsgBox("Save?", platform::vbYesNoCancelQuestion), platform::vbYes);
    }
    // Without a handler a question is answered Cancel and nothing waits.
    EXPECT_EQ(platform::MsgBox("Save?", platform::vbYesNoCancelQuestion), platform::vbCancel);
}

TEST(ScopedHook, AFailedAssertionDoesNotLeaveTheStandInForTheNextTest)
{
    const QString real = platform::AppPath();
    EXPECT_FATAL_FAILURE(RedirectAndFail(), "while the stand-in is installed");
    EXPECT_EQ(platform::AppPath(), real);
}
