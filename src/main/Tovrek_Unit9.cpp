#include "main/Tovrek_Unit9.h"

#include "main/program.h"

namespace tovrek {

TForm9::TForm9(Program& program) : tk::Form(program.App, "Form9"), P(program) { SetCaption("Tovrek"); }

}  // namespace tovrek
