#include "main/program.h"

#include "toolkit/application.h"

namespace tovrek {

int RunProgram(int argc, char** argv) {
  tk::InitToolkit(argc, argv);
  tk::Application app;
  app.Run();
  return 0;
}

}  // namespace tovrek
