#include "platform/widgets/FileDialog.h"

#include "platform/Hook.h"

#include <gtest/gtest.h>

TEST(FileDialog, FilterInTheToolkitsForm)
{
    const struct { const char* in; const char* out; } cases[] = {
        {"CNC Code Files|*.cnc|All Files|*.*", "CNC Code Files (*.cnc);;All Files (*.*)"},
        {"Programs|*.cnc;*.nc", "Programs (*.cnc *.nc)"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::QtFileFilter(c.in), c.out) << c.in;
}

TEST(FileDialog, AnsweredByTheHandlerAndOpensWhereTheLastChoiceWas)
{
    std::vector<platform::FileDialogRequest> asked;
    std::optional<QString> answer = QString("/parts/a.cnc");
    const platform::ScopedHook answered(platform::SetFileDialogHandler, [&](const platform::FileDialogRequest& r) {
        asked.push_back(r);
        return answer;
    });
    platform::FileDialog com;
    com.Filter = "CNC Code Files|*.cnc|All Files|*.*";
    com.InitDir = "/opt/turnwise";

    EXPECT_EQ(com.ShowOpen(), QString("/parts/a.cnc"));
    answer.reset();
    EXPECT_EQ(com.ShowSave(), std::nullopt); // cancelled: the last choice stays
    EXPECT_EQ(com.FileName, "/parts/a.cnc");
    answer = QString();
    EXPECT_EQ(com.ShowOpen(), std::nullopt); // an empty answer is a cancel

    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].kind, platform::FileDialogRequest::Open);
    EXPECT_EQ(asked[0].startDir, "/opt/turnwise");
    EXPECT_EQ(asked[0].filter, "CNC Code Files|*.cnc|All Files|*.*");
    EXPECT_EQ(asked[1].kind, platform::FileDialogRequest::Save);
    EXPECT_EQ(asked[1].startDir, "/parts");
}
