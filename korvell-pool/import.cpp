// korvell-pool import: release in, Korvell's files out, all or nothing.
#include "korvell-pool/check.h"

#include "core/logic.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace korvell::pool {

namespace fs = std::filesystem;

namespace {

bool LooksLikeDocx(const std::string& Path) {
    std::string ext = fs::path(Path).extension().string();
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    char head[4] = {};
    std::ifstream(Path, std::ios::binary).read(head, 4);
    return ext == ".docx" || std::string(head, 4) == std::string("PK\x03\x04", 4);
}

bool ReadFile(const std::string& Path, std::uint64_t Bound, std::string& Data, std::string& Why) {
    std::error_code ec;
    const auto size = fs::file_size(Path, ec);
    if (ec) {
        Why = "cannot read " + Path + ": " + ec.message();
        return false;
    }
    if (size > Bound) {
        Why = Path + " is too large (" + std::to_string(size) + " bytes, at most " +
              std::to_string(Bound) + ")";
        return false;
    }
    Data.assign(size, '\0');
    std::ifstream in(Path, std::ios::binary);
    if (!in.read(Data.data(), static_cast<std::streamsize>(size))) {
        Why = "cannot read " + Path;
        return false;
    }
    return true;
}

// The pool as the program reads it back from Dir matches what was written.
void Verify(const std::string& Dir, const Pool& Written, const std::string& Name, Diags& Problems) {
    Diags found;
    ProgramView view(Dir);
    view.ReadPool(found);
    view.ReadTable(found);
    const Bank& b = *view.B;
    for (std::size_t k = 0; k < Written.Questions.size(); ++k) {
        const Question& q = Written.Questions[k];
        const QueRec& r = b.QuePool[k];
        const bool same = static_cast<int>(k) < b.Npool && Trim(r.QueNr) == q.Id &&
                          r.Answer == q.Answer && Trim(r.Question) == q.Text &&
                          Trim(r.ChoiceA) == q.Choices[0] && Trim(r.ChoiceB) == q.Choices[1] &&
                          Trim(r.ChoiceC) == q.Choices[2] && Trim(r.ChoiceD) == q.Choices[3] &&
                          r.Fig == q.Fig && Trim(r.ChPg) == q.ChPg;
        if (!same)
            Problems.push_back({Name, q.Line, true,
                                q.Id + " would not read back as written (a text too long for "
                                       "the program, or a line it takes for a marker)"});
    }
    if (HasErrors(found) || b.Npool != static_cast<int>(Written.Questions.size()) ||
        !view.TableMatches())
        Problems.push_back({Name, 0, true, "the files written do not read back as a sound pool"});
}

// Writes Files into a fresh directory beside or inside OutDir, checks them
// there and only then moves them into OutDir.
bool WriteAll(const std::string& OutDir, const std::map<std::string, std::string>& Files,
              const std::function<bool(const std::string&)>& Sound, std::string& Why) {
    std::error_code ec;
    const fs::path out = OutDir;
    const bool existed = fs::is_directory(out, ec);
    if (!existed && fs::exists(out, ec)) {
        Why = "exists and is not a directory";
        return false;
    }
    fs::path base = existed ? out : out.parent_path();
    if (base.empty()) base = ".";
    fs::create_directories(base, ec);
    std::string pattern = (base / ".korvell-pool-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        Why = "cannot make a working directory in " + base.string() + ": " + std::strerror(errno);
        return false;
    }
    const fs::path temp = pattern;
    const mode_t mask = umask(0); // a directory that becomes OutDir gets the usual mode
    umask(mask);
    chmod(pattern.c_str(), 0777 & ~mask);
    bool ok = true;
    for (const auto& [name, data] : Files) {
        std::ofstream file(temp / name, std::ios::binary);
        file.write(data.data(), static_cast<std::streamsize>(data.size()));
        file.close();
        if (file.fail()) {
            Why = "cannot write " + (temp / name).string();
            ok = false;
            break;
        }
    }
    ok = ok && Sound(temp.string()); // reports its own problems
    if (ok && !existed) {
        fs::rename(temp, out, ec);
    } else if (ok) {
        for (const auto& entry : Files)
            if (!ec) fs::rename(temp / entry.first, out / entry.first, ec);
    }
    if (ok && ec) {
        Why = "cannot move the files in: " + ec.message();
        ok = false;
    }
    fs::remove_all(temp, ec);
    return ok;
}

// Word processors do not number paragraphs, so a problem at a paragraph of a
// .docx also quotes the start of its text.
void QuoteParagraphs(const Release& Rel, std::size_t From, Diags& Problems) {
    if (!Rel.Docx) return;
    std::map<int, const std::string*> texts;
    for (const SourceLine& l : Rel.Lines)
        texts[l.Nr] = &l.Text;
    for (std::size_t i = From; i < Problems.size(); ++i) {
        Diag& d = Problems[i];
        const auto it = texts.find(d.Line);
        if (d.File != Rel.Name || it == texts.end()) continue;
        const std::string text = Trim(*it->second);
        std::size_t cut = 0;
        for (int n = 0; n < 40 && cut < text.size(); ++n)
            do
                ++cut;
            while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80);
        d.Text += " (paragraph \"" + text.substr(0, cut) + (cut < text.size() ? "...\")" : "\")");
    }
}

} // namespace

Pool MakeFiles(const Release& Source, Docx& Archive, const std::string& StudyMap,
               const Limits& Bounds, Files& Out, Diags& Problems) {
    Pool pool = ParseRelease(Source, Problems);
    if (!StudyMap.empty()) ApplyStudyMap(StudyMap, pool, Problems);
    for (const Question& q : pool.Questions) {
        if (q.Fig.empty() || Out.count(q.Fig + ".jpg")) continue;
        std::string& data = Out[q.Fig + ".jpg"];
        const auto it = Source.Pictures.find(std::stoi(q.Fig.substr(1)));
        std::string why;
        if (it == Source.Pictures.end()) {
            Problems.push_back(
                {Source.Name, q.Line, true,
                 q.Id + " names figure " + q.Fig + " but the release has no picture for it"});
        } else if (!(Source.Docx ? Archive.Entry(it->second.Name, Bounds.Picture, data, why)
                                 : ReadFile(it->second.Name, Bounds.Picture, data, why))) {
            Problems.push_back({Source.Name, it->second.Line, true, why});
        } else if (!DecodeJpeg(data, why)) {
            Problems.push_back({Source.Name, it->second.Line, true,
                                "picture " + it->second.Name + " (figure " + q.Fig +
                                    ") is not a JPEG the program can show: " + why});
        }
    }
    if (HasErrors(Problems)) return pool;
    Out["Tech_Pool.txt"] = PoolText(pool);
    Out["SecCntTbl.txt"] = SectionTable(pool);
    if (std::string syllabus = SyllabusText(pool); !syllabus.empty())
        Out[SyllabusFileName] = std::move(syllabus);
    return pool;
}

namespace {

int ImportRelease(Release& Rel, const std::string& OutDir, const std::string& StudyMap,
                  const Limits& Bounds, Diags& Problems, std::string& Summary) {
    const std::string& ReleasePath = Rel.Name;
    Docx docx;
    Rel.Docx = LooksLikeDocx(ReleasePath);
    if (!(Rel.Docx ? docx.Read(ReleasePath, Bounds, Rel, Problems)
                   : ReadTextRelease(ReleasePath, Bounds, Rel, Problems)))
        return 1;
    Files files;
    const Pool pool = MakeFiles(Rel, docx, StudyMap, Bounds, files, Problems);
    if (HasErrors(Problems)) return 1;

    std::string why;
    const auto sound = [&](const std::string& Dir) {
        Verify(Dir, pool, ReleasePath, Problems);
        return !HasErrors(Problems);
    };
    if (!WriteAll(OutDir, files, sound, why)) {
        // A problem of OUTDIR is the tool's, not the release's.
        if (!why.empty()) Problems.push_back({"korvell-pool: " + OutDir, 0, true, why});
        return 1;
    }
    const auto figures = std::count_if(files.begin(), files.end(),
                                       [](const auto& F) { return F.first.ends_with(".jpg"); });
    Summary = std::to_string(pool.Questions.size()) + " questions in 35 groups and " +
              std::to_string(figures) + (figures == 1 ? " figure" : " figures") + " written to " +
              OutDir;
    if (!pool.InForce.empty()) Summary += "; the pool is in force " + pool.InForce;
    return 0;
}

} // namespace

int Import(const std::string& ReleasePath, const std::string& OutDir, const std::string& StudyMap,
           const Limits& Bounds, Diags& Problems, std::string& Summary) {
    Release rel;
    rel.Name = ReleasePath;
    const std::size_t from = Problems.size();
    const int status = ImportRelease(rel, OutDir, StudyMap, Bounds, Problems, Summary);
    QuoteParagraphs(rel, from, Problems);
    return status;
}

} // namespace korvell::pool
