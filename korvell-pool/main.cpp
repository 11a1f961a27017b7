// korvell-pool: makes Korvell's data files from a publisher's release of the
// question pool, and checks a data directory.
#include "core/options.h"
#include "korvell-pool/check.h"
#include "korvell-pool/release.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <langinfo.h>
#include <string>
#include <vector>

namespace {

using korvell::Arguments;
using korvell::KnownOption;
namespace pool = korvell::pool;

int RunImport(const std::vector<std::string>& Operands, const Arguments& Args);
int RunCheck(const std::vector<std::string>& Operands, const Arguments& Args);
int RunStamp(const std::vector<std::string>& Operands, const Arguments& Args);

// The commands. Each usage line is what follows "korvell-pool" in the usage
// text: operands in capitals, options in brackets; the operands and options a
// command takes are read from it.
struct Command {
    const char* Name;
    const char* Usage;
    const char* About; // its paragraph of --help
    int (*Run)(const std::vector<std::string>& Operands, const Arguments& Args);
};
const Command Commands[] = {
    {"import", "import RELEASE OUTDIR [--study-map FILE]",
     "reads RELEASE (the publisher's .docx, or its text as UTF-8 or Windows-1252\n"
     "with T1.jpg ... beside it) and writes Tech_Pool.txt, SecCntTbl.txt, the\n"
     "syllabus Tech_Syllabus.txt (when the release has one) and the figures\n"
     "T1.jpg ... into OUTDIR, or, if the release has problems, lists them and\n"
     "writes nothing. Chapter and page of each question are its subelement\n"
     "(T1..T9: 1..9, T0: 10) and group (A: 1, B: 2, ...), unless the study map\n"
     "FILE, rows of identifier,chapter-page such as T1A01,2-4, says otherwise.",
     RunImport},
    {"check", "check DIR",
     "reads the Korvell data directory DIR as the program does and lists what\n"
     "would go wrong in use: as errors what a student would meet (a question\n"
     "shown wrongly, a figure that does not decode, a table the program refuses),\n"
     "as warnings what works but is likely a mistake (questions no test draws,\n"
     "pictures no question names, missing help and disclaimer texts).",
     RunCheck},
    {"stamp", "stamp DIR [--explain FILE] [--all] [ID...]",
     "marks the explanations of the questions ID... (or of all with --all) in\n"
     "DIR/Tech_Explain.txt, or in FILE, as written for the answer and wording the\n"
     "pool in DIR has now. Stamp an explanation after reviewing it.",
     RunStamp},
};
const char* const Program = "korvell-pool";
const char* const Options = "-h | --help | -v | --version";

std::string UsageText() {
    std::string text;
    const auto line = [&](const std::string& What) {
        text += (text.empty() ? "Usage: " : "       ") + std::string(Program) + " " + What + "\n";
    };
    for (const Command& c : Commands)
        line(c.Usage);
    line(Options);
    return text;
}

std::string HelpText() {
    std::string text = UsageText() + "\n";
    for (const Command& c : Commands) {
        std::string about = c.About;
        for (std::size_t at = about.find('\n'); at != std::string::npos;
             at = about.find('\n', at + 1))
            about.insert(at + 1, 8, ' ');
        text += (std::string(c.Name) + "        ").substr(0, 8) + about + "\n";
    }
    return text + "\n"
                  "Problems and findings go to standard error as FILE:LINE: error: TEXT (or\n"
                  "warning), or FILE: error: TEXT for a whole file. Exit status: 0 done (check:\n"
                  "no error), 1 problems found, 2 usage error. The section UPDATING THE POOL of\n"
                  "korvell-pool(1) tells how the installed pool is replaced.\n";
}

// The operands and the options with their value that a usage line names.
struct Syntax {
    std::vector<std::string> Operands;
    std::vector<KnownOption> Options;
    bool More = false; // "ID...": any number of operands after the ones named
};
Syntax Read(const std::string& Usage) {
    Syntax s;
    int depth = 0;
    std::size_t start = 0;
    while (start < Usage.size()) {
        std::size_t end = Usage.find(' ', start);
        if (end == std::string::npos) end = Usage.size();
        std::string word = Usage.substr(start, end - start);
        start = end + 1;
        const bool opens = !word.empty() && word.front() == '[';
        const int closes = static_cast<int>(std::count(word.begin(), word.end(), ']'));
        std::erase_if(word, [](char c) { return c == '[' || c == ']'; });
        depth += opens;
        if (word.size() > 3 && word.ends_with("..."))
            s.More = true;
        else if (word.size() > 2 && word.compare(0, 2, "--") == 0)
            s.Options.push_back({word.substr(2), 0, false});
        else if (!word.empty() && word[0] >= 'A' && word[0] <= 'Z' && depth > 0 &&
                 !s.Options.empty())
            s.Options.back().TakesValue = true; // the value of the option before it
        else if (!word.empty() && word[0] >= 'A' && word[0] <= 'Z')
            s.Operands.push_back(word);
        depth -= closes;
    }
    return s;
}

// Text for the terminal: in a locale that is not UTF-8 (such as C or POSIX),
// dashes become hyphens and any other character outside ASCII a question mark.
std::string ForTerminal(const std::string& Text) {
    static const bool utf8 = std::string(nl_langinfo(CODESET)) == "UTF-8";
    if (utf8) return Text;
    std::string out;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const auto c = static_cast<unsigned char>(Text[i]);
        if (c < 0x80) {
            out += Text[i];
        } else if (c >= 0xC0) {
            const bool dash =
                Text.compare(i, 3, "\xE2\x80\x93") == 0 || Text.compare(i, 3, "\xE2\x80\x94") == 0;
            out += dash ? '-' : '?';
        }
    }
    return out;
}

int Report(const pool::Diags& Problems) {
    for (pool::Diag d : Problems) {
        d.Text = ForTerminal(d.Text);
        std::fprintf(stderr, "%s\n", pool::Format(d).c_str());
    }
    return pool::HasErrors(Problems) ? 1 : 0;
}

int RunImport(const std::vector<std::string>& Operands, const Arguments& Args) {
    pool::Diags problems;
    std::string summary;
    const int status =
        pool::Import(Operands[0], Operands[1], Args.Value("study-map"), {}, problems, summary);
    Report(problems);
    if (status == 0) std::printf("%s: %s\n", Program, ForTerminal(summary).c_str());
    return status;
}

int RunCheck(const std::vector<std::string>& Operands, const Arguments&) {
    pool::Diags problems;
    pool::Check(Operands[0], problems);
    return Report(problems);
}

int UsageError(const std::string& What) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", Program, What.c_str(), Program);
    return 2;
}

int RunStamp(const std::vector<std::string>& Operands, const Arguments& Args) {
    const std::vector<std::string> ids(Operands.begin() + 1, Operands.end());
    if (Args.Has("all") && !ids.empty())
        return UsageError("stamp takes --all or the identifiers to stamp, not both");
    if (!Args.Has("all") && ids.empty()) return UsageError("stamp: missing ID (or --all)");
    pool::Diags problems;
    std::string summary;
    const int status = pool::Stamp(Operands[0], Args.Value("explain"), ids, problems, summary);
    Report(problems);
    if (status == 0) std::printf("%s: %s\n", Program, ForTerminal(summary).c_str());
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_CTYPE, "");
    std::vector<KnownOption> known{{"help", 'h', false}, {"version", 'v', false}};
    for (const Command& c : Commands)
        for (const KnownOption& o : Read(c.Usage).Options)
            known.push_back(o);
    const Arguments args = ScanArguments({argv + 1, argv + argc}, known);
    if (!args.Problem.empty()) return UsageError(args.Problem);
    if (args.Has("help")) {
        std::printf("%s", HelpText().c_str());
        return 0;
    }
    if (args.Has("version")) {
        std::printf("%s %s\n", Program, KORVELL_VERSION);
        return 0;
    }
    if (args.Operands.empty()) return UsageError("no command given");
    const std::string& name = args.Operands[0];
    const auto c = std::find_if(std::begin(Commands), std::end(Commands),
                                [&](const Command& C) { return name == C.Name; });
    if (c == std::end(Commands)) return UsageError("unknown command '" + name + "'");
    const Syntax syntax = Read(c->Usage);
    for (const auto& [option, value] : args.Options)
        if (std::none_of(syntax.Options.begin(), syntax.Options.end(),
                         [&](const KnownOption& O) { return O.Long == option; }))
            return UsageError(name + " takes no option '--" + option + "'");
    const std::vector<std::string> operands(args.Operands.begin() + 1, args.Operands.end());
    if (operands.size() < syntax.Operands.size())
        return UsageError(name + ": missing " + syntax.Operands[operands.size()]);
    if (operands.size() > syntax.Operands.size() && !syntax.More)
        return UsageError(name + ": unexpected argument '" + operands[syntax.Operands.size()] +
                          "'");
    return c->Run(operands, args);
}
