// The program's command line: --help, --version, --print-test and --progress,
// answered without a display, and --record for the window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvell {

// Answers the arguments after the program name. Returns -1 when there is
// nothing to answer and the program opens its windows ("--" alone, or
// --record, whose file is then in RecordFile); else prints the help or the
// version on standard output and returns 0, or prints what is wrong on
// standard error and returns 2. Needs no window system.
int RunCommandLine(int argc, char** argv, std::string& RecordFile);

// Writes practice test Number (a fresh one without it) as a PDF file at File,
// from the data files beside the program. Returns 0, or 1 after printing what
// is wrong, naming the file concerned, on standard error.
int RunPrintTest(int argc, char** argv, const std::string& File,
                 std::optional<std::uint64_t> Number);

// Prints the summary of the study record File. Returns 0, or 1 after printing
// what is wrong, naming the file concerned, on standard error.
int RunProgress(int argc, char** argv, const std::string& File);

} // namespace korvell
