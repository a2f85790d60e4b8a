// The toolkit knows nothing of the program's model.
#include "toolkit/form.h"
#ifdef BREAK_THE_RULE
#include "knowledge/score.h"
#endif
