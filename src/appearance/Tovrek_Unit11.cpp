#include "appearance/Tovrek_Unit11.h"

#include "main/program.h"

namespace tovrek {

TForm11::TForm11(Program& program) : tk::Form(program.App, "Form11"), P(program) { SetCaption("Tovrek"); }

}  // namespace tovrek
