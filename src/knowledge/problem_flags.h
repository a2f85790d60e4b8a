#pragma once

#include <cstdint>

namespace knowledge {

// Problems found by the main window's handlers, reported by the problem
// window. Byte flags (0 or 1); the main window's unit state inherits them,
// so the field names are the ones every handler uses.
struct ProblemFlags {
    uint8_t TopicInvalid = 0;
    uint8_t TooFewQuestions = 0;
    uint8_t NoTopics = 0;
    uint8_t TopicCorrupt = 0;
    uint8_t DefaultPictureMissing = 0;
    uint8_t UnsupportedOS = 0;
    uint8_t MediaFilesOk = 1;  // cleared when a loaded topic has bad media lines
    uint8_t EditorMissing = 0;
};

// Clears the topic verdict only; the fatal flags, MediaFilesOk and
// EditorMissing are handled by whoever reports them.
void ClearProblemFlags(ProblemFlags& flags);

// A fatal problem ends the program once it has been reported.
bool IsFatal(const ProblemFlags& flags);

}  // namespace knowledge
