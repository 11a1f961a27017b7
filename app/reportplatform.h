// The platform of the commands that read the data files without a window.
#pragma once

#include "core/bank.h"
#include "core/platform.h"

#include <QCoreApplication>
#include <random>
#include <string>

namespace korvell {

// The data files' reports are kept for the command line to print, never shown.
class ReportPlatform : public Platform {
public:
    void MsgBox(const std::string& Text, const std::string&) override {
        if (Report.empty()) Report = Text;
    }
    [[noreturn]] void EndProgram(int Status) override { throw ProgramEnded{Status}; }
    void Randomize() override { Generator = std::mt19937(std::random_device{}()); }
    float Rnd() override { return static_cast<float>(Generator() >> 8) * 0x1p-24f; }
    std::string ProgramDir() override {
        return QCoreApplication::applicationDirPath().toStdString();
    }

    // The report in one line: a numbered read error as "what (error N)",
    // another report by its first line.
    std::string Line() const {
        const std::size_t end = Report.find('\n');
        const std::string first = Report.substr(0, end);
        if (first.rfind("Error number ", 0) != 0 || end == std::string::npos) return first;
        return Report.substr(end + 1, Report.find('\n', end + 1) - end - 1) + " (error " +
               first.substr(13) + ")";
    }
    std::string Report;

private:
    std::mt19937 Generator;
};

// The pool and the section table read into Into, whose platform is Sys: the
// path of the file whose report stops the command, or "" when both are read.
inline std::string ReadPoolFiles(Bank& Into, ReportPlatform& Sys) {
    try {
        Into.LoadPool();
    } catch (const ProgramEnded&) {
    }
    const std::string dir = Sys.ProgramDir() + "/";
    if (!Sys.Report.empty()) return dir + "Tech_Pool.txt";
    Into.ReadSecCntTbl();
    if (!Sys.Report.empty()) return dir + "SecCntTbl.txt";
    return "";
}

} // namespace korvell
