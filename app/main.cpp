// Sorvan's entry: start the program, which runs until the user ends it.
#include "shell/startup.h"

int main(int argc, char** argv) { return sorvan::StartProgram(argc, argv); }
