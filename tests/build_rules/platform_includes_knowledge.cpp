// The platform layer never sees the model above it.
#include "platform/files.h"
#ifdef BREAK_THE_RULE
#include "knowledge/score.h"
#endif
