#include "bank.h"
#include "logic.h"

namespace korvell {

void Bank::OpenDataFile(const std::string& FileName, std::string& Dir, const std::string& Kind) {
    Dir = Trim(Dir);
    if (Dir.empty() || Dir.back() != '/') Dir += '/';
    const std::string path = Dir + FileName;
    File1.Close();
    if (File1.Open(path)) return;
    Sys.MsgBox(File1.ErrDescription + "\n" + "Attempt to open " + Kind + " file failed\n" +
                   "Expected to find file \"" + FileName + "\" in \n" + "Sub-directory \"" + Dir +
                   "\".",
               "Problem in Opening file");
    Sys.EndProgram(1);
}

void Bank::OpenPoolFile() {
    AppDir = Sys.ProgramDir() + "/";
    PoolFileName = "Tech_Pool.txt";
    OpenDataFile(PoolFileName, AppDir, "Question Pool File");
}

void Bank::OpenHelpFile() {
    std::string dir = Sys.ProgramDir();
    OpenDataFile("Vellkor-Help.txt", dir, "Help File");
}

void Bank::OpenDisclaimerFile() {
    std::string dir = Sys.ProgramDir();
    OpenDataFile("Disclaimer.txt", dir, "Disclaimer File");
}

} // namespace korvell
