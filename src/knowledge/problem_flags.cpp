#include "knowledge/problem_flags.h"

namespace knowledge {

void ClearProblemFlags(ProblemFlags& flags) {
    flags.TopicInvalid = 0;
    flags.TooFewQuestions = 0;
    flags.NoTopics = 0;
    flags.TopicCorrupt = 0;
}

bool IsFatal(const ProblemFlags& flags) {
    return flags.DefaultPictureMissing != 0 || flags.UnsupportedOS != 0;
}

}  // namespace knowledge
