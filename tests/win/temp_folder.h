// A fresh folder under the temporary folder for one test, removed with
// everything in it (read-only files included) when the test is done.
#pragma once
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/win/remove_tree.h"

namespace testing_support {

class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"nomaro-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { RemoveTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }

    // Creates an empty file (and the folders its name holds) or a folder; returns its full path.
    std::wstring AddFile(const std::wstring& name) const {
        std::filesystem::path full = std::filesystem::path(path_) / name;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream{full};
        return full.wstring();
    }
    std::wstring AddFolder(const std::wstring& name) const {
        std::filesystem::create_directories(std::filesystem::path(path_) / name);
        return path_ + L"\\" + name;
    }

    // The files inside, those of subfolders as "sub\name".
    std::set<std::wstring> Entries() const {
        std::set<std::wstring> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_))
            if (entry.is_regular_file()) names.insert(std::filesystem::relative(entry.path(), path_).wstring());
        return names;
    }

private:
    std::wstring path_;
};

// A file's bytes ("<missing>" when it cannot be read), and a file written with bytes.
inline std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}
inline void PutBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace testing_support
