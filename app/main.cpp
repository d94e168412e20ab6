// dorvek: the calculator's window. The host runs the program from its description.

#include "host/widgets/start.h"
#include "window/dorvek_program.h"

int main(int argc, char** argv) {
    dorvek::host::start(dorvek::window::dorvekProgram(), argc, argv);
}
