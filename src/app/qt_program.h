// The program on Qt, in the order it comes up: before Qt starts, the command line and the
// display; then, with the QApplication made, the operating system's parts, the timers, the model
// with its reactions and the main window; last the event loop.
#pragma once

#include <functional>
#include <memory>

#include "app/command_line.h"
#include "platform/termination_requests.h"
#include "platform/tick_source.h"

namespace rzv {

class MainWindowView;

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

// The whole program, from its command line to its exit status: --help and --version answer
// without a window; without a display it says so; else Qt starts and the program runs.
int runQtProgram(int argc, char* argv[]);
// The same, with `run` in place of the program's own run (a measuring build wraps it).
int runQtProgram(int argc, char* argv[], const std::function<int(QtProgram&)>& run);

}  // namespace rzv
