// The program's command line: --help and --version, answered without a display.
#pragma once

namespace korvell {

// Answers the arguments after the program name. Returns -1 when there is
// nothing to answer and the program opens its windows ("--" alone); else
// prints the help or the version on standard output and returns 0, or prints
// what is wrong on standard error and returns 2. Needs no window system.
int RunCommandLine(int argc, char** argv);

} // namespace korvell
