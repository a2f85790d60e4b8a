#include "appearance/Tovrek_Unit7.h"

#include "main/program.h"

namespace tovrek {

TForm7::TForm7(Program& program) : tk::Form(program.App, "Form7"), P(program) { SetCaption("Tovrek"); }

}  // namespace tovrek
