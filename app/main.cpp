#include "app/main/Startup.h"

int main(int argc, char** argv) { return RunProgram(argc, argv); }
