// Reading a .docx as hostile input: only the entries needed are inflated, into
// memory and within bounds; nothing is written by an entry's name, and the XML
// parser expands no entities but the five predefined ones.
#include "korvell-pool/release.h"

#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace korvell::pool {

namespace {

zip_t* Zip(void* Archive) {
    return static_cast<zip_t*>(Archive);
}

std::string ZipMessage(int Code) {
    zip_error_t error;
    zip_error_init_with_code(&error, Code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

std::string OpenProblem(int Code) {
    return Code == ZIP_ER_NOZIP ? "not a zip archive, so not a .docx"
                                : "cannot open the archive: " + ZipMessage(Code);
}

// An entry named relative to word/ ("media/image1.jpeg", "../media/x.png",
// "/word/media/x.png") as an archive name; empty when it leaves the archive.
std::string Resolve(const std::string& Target) {
    std::vector<std::string> parts;
    if (Target.empty() || Target[0] != '/') parts.push_back("word");
    std::size_t start = 0;
    while (start <= Target.size()) {
        std::size_t end = Target.find('/', start);
        if (end == std::string::npos) end = Target.size();
        const std::string part = Target.substr(start, end - start);
        if (part == "..") {
            if (parts.empty()) return {};
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string name;
    for (const auto& p : parts)
        name += (name.empty() ? "" : "/") + p;
    return name;
}

// The paragraphs of the document and the pictures it shows, in document
// order. The walk is iterative, so deep nesting costs no stack.
class Walker : public pugi::xml_tree_walker {
public:
    std::vector<SourceLine> Lines;                  // paragraphs with text
    std::vector<std::pair<std::string, int>> Blips; // relation id, paragraph
    int Paragraphs = 0;

    bool for_each(pugi::xml_node& Node) override {
        const int d = depth();
        if (Skip >= 0 && d > Skip) return true;
        Skip = -1;
        while (!Open.empty() && Open.back().first >= d)
            Open.pop_back();
        const char* name = Node.name();
        if (Node.type() == pugi::node_pcdata || Node.type() == pugi::node_cdata) {
            if (!Open.empty() && std::strcmp(Node.parent().name(), "w:t") == 0)
                Append(Node.value());
        } else if (std::strcmp(name, "w:p") == 0) {
            Open.emplace_back(d, ++Paragraphs);
        } else if (std::strcmp(name, "w:tab") == 0 || std::strcmp(name, "w:br") == 0 ||
                   std::strcmp(name, "w:cr") == 0) {
            if (!Open.empty()) Append(" ");
        } else if (std::strcmp(name, "a:blip") == 0) {
            Blips.emplace_back(Node.attribute("r:embed").value(),
                               Open.empty() ? std::max(Paragraphs, 1) : Open.back().second);
        } else if (std::strcmp(name, "mc:Fallback") == 0) {
            Skip = d; // the same content again, for older readers
        }
        return true;
    }

private:
    // A paragraph inside another (a text box's) may be followed by more of the outer
    // one's text, which joins the outer paragraph's line: lines stay in paragraph order.
    void Append(const char* Text) {
        const int nr = Open.back().second;
        auto line = std::lower_bound(Lines.begin(), Lines.end(), nr,
                                     [](const SourceLine& L, int Nr) { return L.Nr < Nr; });
        if (line == Lines.end() || line->Nr != nr) line = Lines.insert(line, {nr, ""});
        for (const char* p = Text; *p; ++p)
            line->Text += static_cast<unsigned char>(*p) < 0x20 ? ' ' : *p;
    }

    std::vector<std::pair<int, int>> Open; // depth and number of open paragraphs
    int Skip = -1;
};

bool ParseXml(const std::string& Entry, const std::string& Data, pugi::xml_document& Doc,
              std::string& Why) {
    const pugi::xml_parse_result result = Doc.load_buffer(
        Data.data(), Data.size(), pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8);
    if (result) return true;
    int line = 1, column = 1;
    for (std::ptrdiff_t i = 0; i < result.offset && i < static_cast<std::ptrdiff_t>(Data.size());
         ++i, ++column)
        if (Data[i] == '\n') line += 1, column = 0;
    Why = "XML error in " + Entry + " at line " + std::to_string(line) + ", column " +
          std::to_string(column) + ": " + result.description();
    return false;
}

} // namespace

Docx::~Docx() {
    if (Archive) zip_discard(Zip(Archive));
}

bool Docx::Entry(const std::string& Name, std::uint64_t Bound, std::string& Data,
                 std::string& Why) {
    Data.clear();
    const zip_int64_t index = zip_name_locate(Zip(Archive), Name.c_str(), 0);
    zip_stat_t st;
    if (index < 0 || zip_stat_index(Zip(Archive), index, 0, &st) != 0) {
        Why = "the archive has no " + Name;
        return false;
    }
    const auto tooLarge = [&](const std::string& How) {
        Why = Name + " is too large: it " + How + " (at most " + std::to_string(Bound) + ")";
        return false;
    };
    if ((st.valid & ZIP_STAT_SIZE) && st.size > Bound)
        return tooLarge("declares " + std::to_string(st.size) + " bytes inflated");
    zip_file_t* file = zip_fopen_index(Zip(Archive), index, 0);
    if (!file) {
        Why = "cannot read " + Name + ": " + zip_strerror(Zip(Archive));
        return false;
    }
    std::vector<char> buf(64 * 1024);
    zip_int64_t n = 0;
    while ((n = zip_fread(file, buf.data(), buf.size())) > 0) {
        if (Data.size() + static_cast<std::uint64_t>(n) > Bound) {
            zip_fclose(file);
            return tooLarge("inflates to more than " + std::to_string(Bound) + " bytes");
        }
        Data.append(buf.data(), static_cast<std::size_t>(n));
    }
    if (n < 0) Why = "cannot read " + Name + ": " + zip_file_strerror(file);
    zip_fclose(file);
    return n == 0;
}

bool Docx::Read(const std::string& Path, const Limits& Bounds, Release& Out, Diags& Problems) {
    int code = 0;
    Archive = zip_open(Path.c_str(), ZIP_RDONLY, &code);
    if (!Archive) {
        Problems.push_back({Out.Name, 0, true, OpenProblem(code)});
        return false;
    }
    return ReadDocument(Bounds, Out, Problems);
}

bool Docx::Read(const void* Data, std::size_t Size, const Limits& Bounds, Release& Out,
                Diags& Problems) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(Data, Size, 0, &error);
    if (source) {
        Archive = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (!Archive) zip_source_free(source);
    }
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (!Archive) {
        Problems.push_back({Out.Name, 0, true, OpenProblem(code)});
        return false;
    }
    return ReadDocument(Bounds, Out, Problems);
}

bool Docx::ReadDocument(const Limits& Bounds, Release& Out, Diags& Problems) {
    const auto fail = [&](const std::string& Text, int Line = 0) {
        Problems.push_back({Out.Name, Line, true, Text});
        return false;
    };
    std::string xml, why;
    const std::string docName = "word/document.xml";
    if (!Entry(docName, Bounds.Document, xml, why)) return fail(why);
    pugi::xml_document doc;
    if (!ParseXml(docName, xml, doc, why)) return fail(why);
    xml.clear();
    xml.shrink_to_fit();
    Walker walk;
    doc.traverse(walk);
    doc.reset();
    Out.Lines = std::move(walk.Lines);
    if (walk.Blips.empty()) return true;

    // Pictures: relation id -> entry, through word/_rels/document.xml.rels.
    const std::string relsName = "word/_rels/document.xml.rels";
    pugi::xml_document rels;
    if (!Entry(relsName, Bounds.Document, xml, why) || !ParseXml(relsName, xml, rels, why))
        return fail(why);
    std::map<std::string, std::string> targets;
    for (const pugi::xml_node rel : rels.child("Relationships").children("Relationship")) {
        const bool external = std::strcmp(rel.attribute("TargetMode").value(), "External") == 0;
        targets[rel.attribute("Id").value()] =
            external ? "" : Resolve(rel.attribute("Target").value());
    }
    int k = 0;
    for (const auto& [id, line] : walk.Blips) {
        const auto it = targets.find(id);
        if (it == targets.end() || it->second.empty())
            return fail("picture \"" + id + "\" is not an entry of the archive", line);
        Out.Pictures[++k] = {it->second, line};
    }
    return true;
}

} // namespace korvell::pool
