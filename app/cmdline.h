// The program's command line: --help and --version, answered without a display.
#pragma once

namespace korvell {

// Answers the arguments after the program name: prints the help or the version
// on standard output and returns 0, or prints what is wrong and the usage text
// on standard error and returns 2. Needs no window system and creates no window.
int RunCommandLine(int argc, char** argv);

} // namespace korvell
