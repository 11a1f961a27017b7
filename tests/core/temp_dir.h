// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace korvell::testing {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvell-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        Path = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes Content byte for byte and returns the file's path.
    std::string Write(const std::string& Name, const std::string& Content) const {
        const auto file = Path / Name;
        std::ofstream(file, std::ios::binary) << Content;
        return file.string();
    }
    std::string Str() const { return Path.string(); }

    std::filesystem::path Path;
};

} // namespace korvell::testing
