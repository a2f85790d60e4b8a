#include "appearance/Tovrek_Unit15.h"

#include "main/program.h"

namespace tovrek {

TForm15::TForm15(Program& program) : tk::Form(program.App, "Form15"), P(program) { SetCaption("Tovrek"); }

}  // namespace tovrek
