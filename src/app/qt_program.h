// The program on Qt, in the order it comes up: before Qt starts, the command line and the
// display; then, with the QApplication made, the operating system's parts, the timers, the model
// with its reactions and the main window; last the event loop.
#pragma once

#include <memory>

#include "app/command_line.h"
#include "platform/termination_requests.h"
#include "platform/tick_source.h"

namespace rzv {

class MainWindowView;

// --help and --version answer without a window, so they work without a display too. Returns
// the exit status, or -1 to go on and open the window as `answer` says.
int answerCommandLine(int argc, char* argv[], CommandLineAnswer& answer);

// The display, and Qt's environment tuned for it before Qt starts. Returns the exit status
// where there is no display, else -1.
int prepareTheDisplay(const CommandLineAnswer& commandLine, const char* programPath);

class QtProgram {
  public:
    // With the QApplication made. `terminations` hears of requests from before the window.
    QtProgram(const CommandLineAnswer& commandLine, TerminationRequests& terminations);
    ~QtProgram();
    QtProgram(const QtProgram&) = delete;
    QtProgram& operator=(const QtProgram&) = delete;

    // Loads the window, shows it and runs the event loop: the program's exit status.
    int run();

    // For a measuring build: the main window and the clock since boot.
    MainWindowView& view();
    TickSource& ticks();

  private:
    struct Parts;
    int load();
    void show();
    std::unique_ptr<Parts> parts_;
};

}  // namespace rzv
