#pragma once

#include <QApplication>
#include <memory>
#include <optional>

// How a windowed program starts: "--help" and "--version" are answered without a display, and
// a session without one ends the program with one Russian line instead of Qt's abort.
namespace ui {

struct ProgramInfo {
    const char *name;    // "ocai-plot"
    const char *version; // "1.0.0"
    const char *help;    // the text of --help, Russian, UTF-8, ending in a line break
};

// The exit code when the first argument is "--help", "-h" or "--version": the answer is then
// printed on stdout. Nothing when the program goes on to its window.
std::optional<int> answerCommandLine(int argc, char **argv, const ProgramInfo &program);

// The application, made with Qt's start-up messages held back: when no display can be opened
// (a stale or missing DISPLAY, no Wayland), the program prints on stderr that it needs a
// graphical session and exits with 1; otherwise the held messages are printed as Qt would.
std::unique_ptr<QApplication> startApplication(int &argc, char **argv, const ProgramInfo &program);

// Ends the program with `code`, called once the application object and every window are gone
// (settings written, files closed). On Windows the process then ends without the C++ runtime's
// DLL teardown: after a survey server has run, libstdc++'s detach waits for ever inside
// winpthread, and the program would stay alive, invisible, holding the survey's port.
[[noreturn]] void endProgram(int code);

} // namespace ui
