// The model never sees the window toolkit.
#include "knowledge/score.h"
#ifdef BREAK_THE_RULE
#include "toolkit/form.h"
#endif
