#include "knowledge/problem_flags.h"

#include <gtest/gtest.h>

namespace {

TEST(ProblemFlags, StartWithOnlyMediaFilesOkSet) {
    const knowledge::ProblemFlags flags;
    EXPECT_EQ(flags.MediaFilesOk, 1);
    EXPECT_FALSE(knowledge::IsFatal(flags));
    EXPECT_EQ(flags.TopicInvalid + flags.TooFewQuestions + flags.NoTopics + flags.TopicCorrupt +
                  flags.DefaultPictureMissing + flags.UnsupportedOS + flags.EditorMissing,
              0);
}

TEST(ProblemFlags, ClearingTouchesTheTopicVerdictOnly) {
    knowledge::ProblemFlags flags{1, 1, 1, 1, 1, 1, 0, 1};
    knowledge::ClearProblemFlags(flags);
    EXPECT_EQ(flags.TopicInvalid, 0);
    EXPECT_EQ(flags.TooFewQuestions, 0);
    EXPECT_EQ(flags.NoTopics, 0);
    EXPECT_EQ(flags.TopicCorrupt, 0);
    EXPECT_EQ(flags.DefaultPictureMissing, 1);
    EXPECT_EQ(flags.UnsupportedOS, 1);
    EXPECT_EQ(flags.MediaFilesOk, 0);
    EXPECT_EQ(flags.EditorMissing, 1);
}

TEST(ProblemFlags, OnlyThePictureAndTheSystemAreFatal) {
    struct Case {
        const char* name;
        knowledge::ProblemFlags flags;
        bool fatal;
    };
    const Case cases[] = {
        {"missing picture", {0, 0, 0, 0, 1, 0, 1, 0}, true},
        {"unsupported system", {0, 0, 0, 0, 0, 1, 1, 0}, true},
        {"both", {0, 0, 0, 0, 1, 1, 1, 0}, true},
        {"every other flag", {1, 1, 1, 1, 0, 0, 0, 1}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(knowledge::IsFatal(c.flags), c.fatal);
    }
}

}  // namespace
