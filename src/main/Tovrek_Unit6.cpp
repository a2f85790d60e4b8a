#include "main/Tovrek_Unit6.h"

#include "main/program.h"

namespace tovrek {

TSplashForm::TSplashForm(Program& program) : TSplashFormDesign(program.App) {
  LoadDesign();
}

}  // namespace tovrek
