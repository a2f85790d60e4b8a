#include "quotations/Tovrek_Unit4.h"

#include "main/program.h"

namespace tovrek {

TForm4::TForm4(Program& program) : tk::Form(program.App, "Form4"), P(program) { SetCaption("Tovrek"); }

}  // namespace tovrek
