#include "main/Tovrek_Unit16.h"

#include "main/program.h"

namespace tovrek {

TForm16::TForm16(Program& program) : tk::Form(program.App, "Form16"), P(program) { SetCaption("Tovrek"); }

}  // namespace tovrek
