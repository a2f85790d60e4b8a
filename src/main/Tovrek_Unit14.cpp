#include "main/Tovrek_Unit14.h"

#include "main/program.h"

namespace tovrek {

TForm14::TForm14(Program& program) : tk::Form(program.App, "Form14"), P(program) { SetCaption("Tovrek"); }

}  // namespace tovrek
