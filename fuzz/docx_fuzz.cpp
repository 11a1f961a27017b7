// Each input read from memory as a whole .docx, as import reads a release: its
// paragraphs and pictures, its syllabus and questions, and the pictures the
// questions name. Nothing is written. The mutator below keeps most inputs archives
// whose document still parses, so the reading behind the archive is what gets mutated.
#include "core/bank.h"
#include "fuzz_support.h"
#include "korvell-pool/release.h"

#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <random>

using namespace korvell;
using korvell::fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    pool::Release rel;
    rel.Name = "input.docx";
    rel.Docx = true;
    pool::Docx docx;
    pool::Diags problems;
    const pool::Limits bounds{1u << 20, 1u << 20}; // an entry that inflates costs little time
    if (!docx.Read(Data, Size, bounds, rel, problems)) {
        if (!pool::HasErrors(problems)) Finding("an archive refused without a problem");
        return 0;
    }
    int last = 0;
    for (const auto& l : rel.Lines) {
        if (l.Nr <= last || l.Text.find_first_of("\r\n") != std::string::npos)
            Finding("paragraphs out of order or a paragraph of several lines");
        last = l.Nr;
    }
    pool::Files files;
    const pool::Pool p = pool::MakeFiles(rel, docx, "", bounds, files, problems);
    for (const auto& d : problems)
        if (d.Line < 0 || d.Text.empty() || d.File != rel.Name)
            Finding("a problem without its place or text");
    if (pool::HasErrors(problems)) return 0;
    if (!files.count("Tech_Pool.txt") || !files.count("SecCntTbl.txt"))
        Finding("a sound release without its pool files");
    std::string why;
    for (const auto& [name, data] : files)
        if (name.ends_with(".jpg") &&
            (!pool::DecodeJpeg(data, why) || data.size() > bounds.Picture))
            Finding("a figure that does not decode or is beyond its bound");
    // The syllabus: whole lines of a known code and a title, in exam order, one per code.
    const auto it = files.find(SyllabusFileName);
    const std::string syllabus = it == files.end() ? "" : it->second;
    if (syllabus.empty() != p.Titles.empty()) Finding("headings found but no syllabus written");
    static const std::vector<std::string> codes = pool::ExamCodes(pool::ExamGroups());
    std::ptrdiff_t rank = -1;
    for (std::size_t at = 0; at < syllabus.size();) {
        const std::size_t end = syllabus.find("\r\n", at);
        const std::string line = syllabus.substr(at, end - at);
        const std::size_t blank = line.find(' ');
        const auto code = std::find(codes.begin(), codes.end(), line.substr(0, blank));
        if (end == std::string::npos || line.find_first_of("\r\n") != std::string::npos ||
            blank == std::string::npos || blank + 1 == line.size() || code == codes.end() ||
            code - codes.begin() <= rank)
            Finding("a syllabus line broken, of an unknown code or out of exam order");
        rank = code - codes.begin();
        at = end + 2;
    }
    return 0;
}

extern "C" size_t LLVMFuzzerMutate(uint8_t* Data, size_t Size, size_t MaxSize);

namespace {

using Parts = std::vector<std::pair<std::string, std::string>>; // entry name, inflated data

// The entries of an archive, all of them readable, or false.
bool Unpack(const uint8_t* Data, size_t Size, Parts& Out) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(Data, Size, 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (source) zip_source_free(source);
        return false;
    }
    const zip_int64_t n = zip_get_num_entries(archive, 0);
    bool ok = n > 0;
    for (zip_int64_t i = 0; ok && i < n; ++i) {
        zip_stat_t st;
        zip_file_t* file =
            zip_stat_index(archive, i, 0, &st) == 0 && st.name && st.size < (1u << 20)
                ? zip_fopen_index(archive, i, 0)
                : nullptr;
        if (!file) return zip_discard(archive), false;
        std::string data(st.size, '\0');
        ok = zip_fread(file, data.data(), data.size()) == zip_int64_t(data.size());
        zip_fclose(file);
        Out.emplace_back(st.name, std::move(data));
    }
    zip_discard(archive);
    return ok;
}

// The entries as a new archive, stored or deflated; empty when libzip refuses a name.
std::string Pack(const Parts& In, bool Deflate) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = out ? zip_open_from_source(out, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (out) zip_source_free(out);
        return "";
    }
    zip_source_keep(out);
    bool ok = true;
    for (const auto& [name, data] : In) {
        zip_source_t* s = zip_source_buffer(archive, data.data(), data.size(), 0);
        const zip_int64_t i = s ? zip_file_add(archive, name.c_str(), s, ZIP_FL_OVERWRITE) : -1;
        if (i < 0 && s) zip_source_free(s);
        ok = ok && i >= 0 &&
             zip_set_file_compression(archive, i, Deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 1) == 0;
    }
    std::string packed;
    zip_stat_t st;
    if (!ok || zip_close(archive) != 0) {
        zip_discard(archive);
    } else if (zip_source_stat(out, &st) == 0 && zip_source_open(out) == 0) {
        packed.resize(st.size);
        if (zip_source_read(out, packed.data(), st.size) != zip_int64_t(st.size)) packed.clear();
        zip_source_close(out);
    }
    zip_source_free(out);
    return packed;
}

// An XML part as a tree, with its elements and texts in document order.
struct Tree : pugi::xml_tree_walker {
    pugi::xml_document Doc;
    std::vector<pugi::xml_node> Nodes;

    bool Load(const std::string& Xml) {
        Nodes.clear();
        if (!Doc.load_buffer(Xml.data(), Xml.size(),
                             pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata))
            return false;
        Doc.traverse(*this);
        return !Nodes.empty();
    }
    bool for_each(pugi::xml_node& Node) override {
        if (Node.type() != pugi::node_declaration) Nodes.push_back(Node);
        return true;
    }
    std::string Save() const {
        struct : pugi::xml_writer {
            std::string Text;
            void write(const void* Data, size_t Size) override {
                Text.append(static_cast<const char*>(Data), Size);
            }
        } out;
        Doc.save(out, "", pugi::format_raw | pugi::format_no_declaration);
        return out.Text;
    }
    pugi::xml_node Pick(std::minstd_rand& Rng) const { return Nodes[Rng() % Nodes.size()]; }
};

bool Within(pugi::xml_node Inner, pugi::xml_node Outer) {
    for (; Inner; Inner = Inner.parent())
        if (Inner == Outer) return true;
    return false;
}

// Libfuzzer's own byte mutations, with room to grow.
void MutateText(std::string& Data, size_t Room) {
    const size_t size = Data.empty() ? (Data = " ", 1) : Data.size();
    Data.resize(size + Room);
    Data.resize(LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(Data.data()), size, Data.size()));
}

// One change to the tree: an element or text doubled, dropped or swapped with another,
// a text changed or a run of it cut, or an attribute changed, dropped or given another
// one's value.
bool MutateTree(std::string& Xml, std::minstd_rand& Rng) {
    Tree t;
    if (!t.Load(Xml)) return false;
    pugi::xml_node a = t.Pick(Rng), b = t.Pick(Rng);
    switch (Rng() % 6) {
    case 0:
        a.parent().insert_copy_after(a, a);
        break;
    case 1:
        a.parent().remove_child(a);
        break;
    case 2:
        if (Within(a, b) || Within(b, a)) return false;
        a.parent().insert_copy_before(b, a), b.parent().insert_copy_before(a, b);
        a.parent().remove_child(a), b.parent().remove_child(b);
        break;
    case 3:
    case 4: {
        // Changed text is escaped when saved: the paragraph reaches the release parser.
        for (int k = 0; k < 16 && a.type() != pugi::node_pcdata; ++k)
            a = t.Pick(Rng);
        std::string text = a.value();
        if (a.type() != pugi::node_pcdata) return false;
        const size_t from = Rng() % (text.size() + 1), to = from + Rng() % (text.size() - from + 1);
        if (Rng() % 2)
            MutateText(text, 16);
        else
            text.erase(from, to - from);
        a.set_value(text.c_str());
        break;
    }
    default: {
        pugi::xml_attribute at = a.first_attribute();
        for (size_t k = Rng() % 4; at.next_attribute() && k; --k)
            at = at.next_attribute();
        if (!at) return false;
        // Another element's first attribute gives its value: an id to a relation's.
        std::string value = Rng() % 2 ? at.value() : b.first_attribute().value();
        if (value == at.value()) MutateText(value, 16);
        if (Rng() % 4)
            at.set_value(value.c_str());
        else
            a.remove_attribute(at);
    }
    }
    Xml = t.Save();
    return true;
}

size_t Emit(const std::string& Packed, uint8_t* Data, size_t Size, size_t MaxSize) {
    if (Packed.empty() || Packed.size() > MaxSize) return LLVMFuzzerMutate(Data, Size, MaxSize);
    std::memcpy(Data, Packed.data(), Packed.size());
    return Packed.size();
}

// The document mostly, its relations or content types now and then, once in a while the
// data or the name of any entry.
std::string& Part(Parts& All, std::minstd_rand& Rng) {
    const unsigned roll = Rng() % 16;
    auto& any = All[Rng() % All.size()];
    if (roll >= 14) return roll == 14 ? any.first : any.second;
    const std::string name = roll < 11   ? "word/document.xml"
                             : roll < 13 ? "word/_rels/document.xml.rels"
                                         : "[Content_Types].xml";
    for (auto& [entry, data] : All)
        if (entry == name) return data;
    return any.second;
}

} // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* Data, size_t Size, size_t MaxSize,
                                          unsigned int Random) {
    std::minstd_rand rng(Random);
    Parts parts;
    if (rng() % 8 == 0 || !Unpack(Data, Size, parts)) return LLVMFuzzerMutate(Data, Size, MaxSize);
    std::string& part = Part(parts, rng);
    if (rng() % 2 || !MutateTree(part, rng)) MutateText(part, 64 + part.size() / 8);
    std::string packed = Pack(parts, rng() % 4 == 0);
    if (packed.size() > MaxSize) packed = Pack(parts, true);
    return Emit(packed, Data, Size, MaxSize);
}

// The first archive with one entry of the second in place of its own, or with an element
// of the second's document copied into its document.
extern "C" size_t LLVMFuzzerCustomCrossOver(const uint8_t* Data1, size_t Size1,
                                            const uint8_t* Data2, size_t Size2, uint8_t* Out,
                                            size_t MaxOutSize, unsigned int Random) {
    std::minstd_rand rng(Random);
    Parts one, two;
    if (!Unpack(Data1, Size1, one) || !Unpack(Data2, Size2, two)) return 0;
    const auto doc = [](Parts& p) -> std::string* {
        for (auto& [name, data] : p)
            if (name == "word/document.xml") return &data;
        return nullptr;
    };
    Tree to, from;
    if (rng() % 4 && doc(one) && doc(two) && to.Load(*doc(one)) && from.Load(*doc(two))) {
        const pugi::xml_node at = to.Pick(rng);
        at.parent().insert_copy_after(from.Pick(rng), at);
        *doc(one) = to.Save();
    } else {
        one.push_back(two[rng() % two.size()]);
    }
    const std::string packed = Pack(one, rng() % 4 == 0);
    if (packed.empty() || packed.size() > MaxOutSize) return 0;
    std::memcpy(Out, packed.data(), packed.size());
    return packed.size();
}
