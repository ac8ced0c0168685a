// The program on Qt: the command line and the display first, then the program itself.
#include "app/qt_program.h"

int main(int argc, char* argv[]) {
    return rzv::runQtProgram(argc, argv);
}
