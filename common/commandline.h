#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace common {

// What a program says about itself on its command line.
struct ProgramDescription {
    QString command;     // as the user types it: "setrix", "quorix"
    QString description; // one or two lines for --help
};

// An answer that ends the program before any window: the text goes to
// standard output with exit code 0, to standard error otherwise.
struct CommandLineAnswer {
    int exitCode = 0;
    QString text;
};

// --help and --version, looked for before the application object exists so
// that they work without a display. Everything else is left for later: the
// window system's own options (-platform, -style) are not known here.
std::optional<CommandLineAnswer> answerInfoOptions(const QStringList &arguments, const ProgramDescription &program);

// Once the application object has taken its own options out of the list:
// any argument still there is refused, with a pointer to --help.
std::optional<CommandLineAnswer> refuseLeftoverArguments(const QStringList &arguments,
                                                         const ProgramDescription &program);

// argv as a list, before any application object exists.
QStringList argumentList(int argc, char **argv);

// Prints the answer where it belongs and returns its exit code.
int deliver(const CommandLineAnswer &answer);

} // namespace common
