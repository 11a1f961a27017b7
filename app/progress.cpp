// korvell --progress: the summary of a study record on standard output, from
// the pool, the exam groups and the syllabus.
#include "app/cmdline.h"
#include "app/reportplatform.h"

#include "core/bank.h"
#include "record/record.h"
#include "ui/widgets.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <span>

namespace korvell {

int RunProgress(int argc, char** argv, const std::string& File) {
    const auto fail = [](const std::string& Path, const std::string& Message) {
        std::fprintf(stderr, "korvell: %s: error: %s\n", Path.c_str(), Message.c_str());
        return 1;
    };
    // A core application only: it knows the program's directory and never
    // contacts a display.
    const QCoreApplication app(argc, argv);
    ReportPlatform sys;
    Bank bank(sys);
    if (const std::string failed = ReadPoolFiles(bank, sys); !failed.empty())
        return fail(failed, sys.Line());
    bank.BuildSecGroups(); // the exam groups, as the section table must list them
    if (const int i = bank.FirstSecCntMismatch(); i >= 0)
        return fail(sys.ProgramDir() + "/SecCntTbl.txt",
                    "entry " + std::to_string(i + 1) + " is not \"" + bank.SecGroups[i] + "\"");
    bank.ReadSyllabus();
    const auto first = [](auto& Array, int Count) {
        return std::span(Array).first(
            static_cast<std::size_t>(std::clamp<int>(Count, 0, static_cast<int>(Array.size()))));
    };
    const auto pool = first(bank.QuePool, bank.Npool);
    const auto groups = first(bank.SecGroups, bank.NrSecGroups);
    // The topic as the Study menu shows it.
    const auto topic = [&](const std::string& Code) {
        return SentenceCase(ShownText(bank.SyllabusTitle(Code))).toStdString();
    };
    try {
        const auto record = StudyRecord::Open(File, StudyRecord::Use::Reader);
        const auto counts = std::span(bank.SecCnt).first(groups.size());
        for (const std::string& line :
             ProgressLines(*record, pool, groups, counts, sys.NowMs(), topic))
            std::printf("%s\n", line.c_str());
    } catch (const RecordError& e) {
        return fail(File, e.what());
    }
    return 0;
}

} // namespace korvell
