// The tovrek executable: no command line, no environment; everything
// happens in the current folder.
#include "main/program.h"

int main(int argc, char** argv) { return tovrek::RunProgram(argc, argv); }
