#include "quotations/Tovrek_Unit13.h"

#include "main/program.h"

namespace tovrek {

TForm13::TForm13(Program& program) : tk::Form(program.App, "Form13"), P(program) { SetCaption("Tovrek"); }

}  // namespace tovrek
