// The program on Qt: the command line and the display first, then the program itself.
#include <QApplication>

#include "app/qt_program.h"
#include "gui/qt/program_icon.h"
#include "platform/os_parts.h"

int main(int argc, char* argv[]) {
    rzv::CommandLineAnswer commandLine;
    if (const int status = rzv::answerCommandLine(argc, argv, commandLine); status >= 0)
        return status;
    // First of all, so that a request during start-up waits for the window instead of killing
    // the program unsaved.
    const auto terminations = rzv::os::makeTerminationRequests();
    if (const int status = rzv::prepareTheDisplay(commandLine, argv[0]); status >= 0) return status;
    QApplication app(argc, argv);
    rzv::nameTheDesktopEntry();
    rzv::QtProgram program(commandLine, *terminations);
    return program.run();
}
