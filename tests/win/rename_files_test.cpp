// The perform step on real files in a fresh temporary folder: renames in list
// order, never over an existing file, stops at the first failure.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/error_number.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cwctype>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/RunError.h"
#include "base/Win32Error.h"
#include "rename/NamingRules.h"
#include "rename/RenameFiles.h"

using testing_support::ErrorNumberOf;

using namespace naming;
using Names = std::vector<std::wstring>;

namespace {

struct FileState {
    std::wstring name;
    std::string content;
    bool readOnly = false;
};

// Files of a folder by their case-folded names, as Windows matches them.
using Folder = std::map<std::wstring, FileState>;

std::wstring Folded(std::wstring name) {
    for (auto& c : name) c = std::towlower(c);
    return name;
}

// The test's own account of the naming rules: the new name of the file called
// name at list position m (1, 2, ...) under options, worked out without the
// planner.
std::wstring ExpectedNewName(const std::wstring& name, int m, const NamingOptions& options) {
    const std::wstring newExtension = options.keepExtension ? L"" : options.newExtension;
    std::wstring base, extensionPart;
    size_t dot = name.find(L'.');
    if (dot != std::wstring::npos) {
        base = name.substr(0, dot + 1);
        extensionPart = name.substr(dot + 1);
    } else if (!newExtension.empty()) {
        base = name + L".";
    } else {
        extensionPart = name;
    }
    if (options.newName == L"*") return base + newExtension;

    auto padded = [](long value, size_t width) {
        std::wstring digits = std::to_wstring(value < 0 ? -value : value);
        if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
        if (value < 0) digits.insert(0, 1, L'-');
        return digits;
    };
    if (options.indexedExtension) return options.newName + L"." + padded(m, 3);

    std::wstring index;
    switch (options.indexStyle) {
    case IndexStyle::Four: index = padded(m, 4); break;
    case IndexStyle::Three: index = padded(m, 3); break;
    case IndexStyle::Two: index = padded(m, 2); break;
    case IndexStyle::StartNumber: {
        size_t width = options.startNumber.size();
        long n = std::stol(options.startNumber) - 1 + m;
        index = padded(n, width >= 2 && width <= 4 ? width : 0);
        break;
    }
    }
    return options.newName + index + L"." + (options.keepExtension ? extensionPart : newExtension);
}

NamingOptions Options(std::wstring newName, bool keep, std::wstring newExtension = L"",
                      IndexStyle style = IndexStyle::Four, std::wstring start = L"",
                      bool indexed = false) {
    return {std::move(newName), keep, std::move(newExtension), style, std::move(start), indexed};
}


class RenameFiles : public testing::Test {
protected:
    std::wstring folder;  // without a trailing backslash

    void SetUp() override {
        static int counter = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"nomaro-rename-" + std::to_wstring(GetCurrentProcessId()) +
                 L"-" + std::to_wstring(++counter);
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    }

    void TearDown() override {
        Clear();
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring PathOf(const std::wstring& name) const { return folder + L"\\" + name; }

    void Write(const std::wstring& name, const std::string& content, DWORD attributes = 0) {
        HANDLE file = CreateFileW(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << testing::PrintToString(name);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        if (attributes) SetFileAttributesW(PathOf(name).c_str(), attributes);
    }

    DWORD Attributes(const std::wstring& name) const {
        return GetFileAttributesW(PathOf(name).c_str());
    }

    // Every file of the folder with its content and read-only state.
    Folder Read() const {
        Folder files;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(PathOf(L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return files;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            FileState state{found.cFileName, "", (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0};
            HANDLE file = CreateFileW(PathOf(found.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
            char buffer[256];
            DWORD read = 0;
            while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
                state.content.append(buffer, read);
            CloseHandle(file);
            files[Folded(state.name)] = state;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return files;
    }

    std::map<std::wstring, std::string> Contents() const {
        std::map<std::wstring, std::string> contents;
        for (const auto& [key, file] : Read()) contents[file.name] = file.content;
        return contents;
    }

    void Clear() {
        for (const auto& [key, file] : Read()) {
            SetFileAttributesW(PathOf(file.name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(PathOf(file.name).c_str());
        }
    }

    std::vector<PlannedRename> Plan(const Names& names, const NamingOptions& options,
                                    const std::wstring& listFolder = L"") {
        std::vector<RenameEntry> entries;
        for (const auto& name : names) entries.push_back({listFolder.empty() ? folder : listFolder, name});
        return BuildPlan(entries, options).entries;
    }
};

}  // namespace

TEST_F(RenameFiles, WorkedExampleOnDisk) {
    Write(L"a.jpg", "A");
    Write(L"b.JPG", "B");
    Write(L"c.tar.gz", "C");
    Write(L"README", "R");
    Write(L"other.txt", "O");
    auto options = Options(L"Trip", true);
    auto plan = Plan({L"a.jpg", L"b.JPG", L"c.tar.gz", L"README"}, options);
    PerformRenames(plan, options, false);
    EXPECT_EQ(Contents(), (std::map<std::wstring, std::string>{{L"Trip0001.jpg", "A"},
                                                               {L"Trip0002.JPG", "B"},
                                                               {L"Trip0003.tar.gz", "C"},
                                                               {L"Trip0004.README", "R"},
                                                               {L"other.txt", "O"}}));
    EXPECT_EQ(plan[0].newPath, PathOf(L"Trip0001.jpg"));
    EXPECT_EQ(plan[3].newPath, PathOf(L"Trip0004.README"));
}

TEST_F(RenameFiles, ExistingTargetStopsTheRenamesWith58) {
    Write(L"a.jpg", "A");
    Write(L"b.jpg", "B");
    Write(L"c.jpg", "C");
    Write(L"trip0002.JPG", "already here");
    auto options = Options(L"Trip", true);
    auto plan = Plan({L"a.jpg", L"b.jpg", L"c.jpg"}, options);
    EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false); }), 58);
    EXPECT_EQ(Contents(), (std::map<std::wstring, std::string>{{L"Trip0001.jpg", "A"},
                                                               {L"b.jpg", "B"},
                                                               {L"c.jpg", "C"},
                                                               {L"trip0002.JPG", "already here"}}));
}

TEST_F(RenameFiles, TwoEntriesWithTheSameNewNameStopAtTheSecond) {
    Write(L"a.jpg", "J");
    Write(L"a.png", "P");
    auto options = Options(L"*", false, L"bak");
    auto plan = Plan({L"a.jpg", L"a.png"}, options);
    EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false); }), 58);
    EXPECT_EQ(Contents(), (std::map<std::wstring, std::string>{{L"a.bak", "J"}, {L"a.png", "P"}}));
}

TEST_F(RenameFiles, FileGoneBeforeRenamingGives53) {
    Write(L"a.jpg", "A");
    Write(L"b.jpg", "B");
    Write(L"c.jpg", "C");
    auto options = Options(L"Trip", true, L"", IndexStyle::Two);
    auto plan = Plan({L"a.jpg", L"b.jpg", L"c.jpg"}, options);
    DeleteFileW(PathOf(L"b.jpg").c_str());
    EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false); }), 53);
    EXPECT_EQ(Contents(), (std::map<std::wstring, std::string>{{L"Trip01.jpg", "A"}, {L"c.jpg", "C"}}));
}

TEST_F(RenameFiles, MissingFolderGives76) {
    auto options = Options(L"Trip", true);
    auto plan = Plan({L"a.jpg"}, options, folder + L"\\gone");
    EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false); }), 76);
}

TEST_F(RenameFiles, FileHeldOpenGives70) {
    Write(L"a.jpg", "A");
    HANDLE held = CreateFileW(PathOf(L"a.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    auto options = Options(L"Trip", true);
    auto plan = Plan({L"a.jpg"}, options);
    EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false); }), 70);
    CloseHandle(held);
    EXPECT_EQ(Contents(), (std::map<std::wstring, std::string>{{L"a.jpg", "A"}}));
}

TEST_F(RenameFiles, NewNamesThatAreNoPlainNamesGive52) {
    Write(L"a.jpg", "A");
    Write(L"README", "R");
    for (const auto& options : {Options(L"T:x", true), Options(L"sub\\T", true), Options(L"T?", true),
                                Options(L"T", false, L"a/b")}) {
        auto plan = Plan({L"a.jpg"}, options);
        EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false); }), 52)
            << testing::PrintToString(options.newName + L" " + options.newExtension);
    }
    // Keeping the name of a file without a dot, with an empty new extension, leaves no name.
    auto options = Options(L"*", false, L"");
    auto plan = Plan({L"README"}, options);
    EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false); }), 52);
    EXPECT_EQ(Contents(), (std::map<std::wstring, std::string>{{L"a.jpg", "A"}, {L"README", "R"}}));
}

TEST_F(RenameFiles, AttributesAreClearedOnlyWhenAsked) {
    const DWORD protectedFile = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    Write(L"kept.txt", "K", protectedFile);
    Write(L"cleared.txt", "C", protectedFile);
    auto options = Options(L"*", false, L"doc");
    auto plan = Plan({L"kept.txt"}, options);
    PerformRenames(plan, options, false);
    plan = Plan({L"cleared.txt"}, options);
    PerformRenames(plan, options, true);
    EXPECT_EQ(Attributes(L"kept.doc") & protectedFile, protectedFile);
    // Wine keeps no archive bit (every file reports it), so only these two are checked.
    EXPECT_EQ(Attributes(L"cleared.doc") & protectedFile, 0u);
}

TEST_F(RenameFiles, FolderEndingInABackslashGetsNoSecondOne) {
    Write(L"a.jpg", "A");
    auto options = Options(L"Root", true);
    auto plan = Plan({L"a.jpg"}, options, folder + L"\\");
    PerformRenames(plan, options, false);
    EXPECT_EQ(plan[0].oldPath, PathOf(L"a.jpg"));
    EXPECT_EQ(plan[0].newPath, PathOf(L"Root0001.jpg"));
    EXPECT_EQ(Contents(), (std::map<std::wstring, std::string>{{L"Root0001.jpg", "A"}}));
}

TEST(Win32Error, FailuresMapOntoTheClassicNumbers) {
    const std::pair<DWORD, int> table[] = {
        {ERROR_ALREADY_EXISTS, 58}, {ERROR_FILE_EXISTS, 58},      {ERROR_FILE_NOT_FOUND, 53},
        {ERROR_PATH_NOT_FOUND, 76}, {ERROR_INVALID_DRIVE, 76},    {ERROR_SHARING_VIOLATION, 70},
        {ERROR_WRITE_PROTECT, 70},  {ERROR_ACCESS_DENIED, 75},    {ERROR_NOT_READY, 68},
        {ERROR_INVALID_NAME, 52},   {ERROR_BAD_PATHNAME, 52},     {ERROR_DISK_FULL, 75}};
    for (const auto& [code, number] : table) EXPECT_EQ(base::RunErrorFromWin32(code).number, number) << code;
    EXPECT_EQ(base::RunErrorFromWin32(ERROR_FILE_NOT_FOUND).description, L"File not found");
}

// Random folders, rename lists and options against a model of the folder:
// the renames follow the rules in list order until the first failure, which
// is the one the model predicts, and no file is ever lost or overwritten.
TEST_F(RenameFiles, RandomRenamesKeepEveryFile) {
    unsigned seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    if (const char* fixed = std::getenv("NOMARO_RENAME_SEED")) seed = static_cast<unsigned>(std::atoll(fixed));
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with NOMARO_RENAME_SEED)");
    std::mt19937 random(seed);
    auto pick = [&](const auto& choices) { return choices[random() % std::size(choices)]; };
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };

    // Stems and extensions chosen so that names often collide with new names.
    const std::wstring stems[] = {L"a", L"b", L"c", L"x.tar", L"README", L"Trip0001", L"Trip0002",
                                  L"Trip001", L"Trip01", L"Trip1", L"Trip", L"trip0003", L"", L"photo"};
    const std::wstring extensions[] = {L"jpg", L"gz", L"bak", L"png", L"001", L"002", L"", L"profile"};
    const std::wstring newNames[] = {L"*", L"Trip", L"trip", L"a", L"TRIP"};
    const std::wstring newExtensions[] = {L"bak", L"jpg", L"JPG", L"png", L"001", L"gz"};
    const std::wstring startNumbers[] = {L"1", L"0001", L"098", L"-2", L"7", L"+3", L"00"};
    const IndexStyle styles[] = {IndexStyle::Four, IndexStyle::Three, IndexStyle::Two, IndexStyle::StartNumber};

    for (int round = 0; round < 40 && !HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Folder model;
        int fileCount = 1 + random() % 30;
        for (int attempt = 0; static_cast<int>(model.size()) < fileCount && attempt < 200; ++attempt) {
            std::wstring stem = pick(stems), extension = pick(extensions);
            if (stem.empty() && extension.empty()) continue;
            std::wstring name = extension.empty() ? stem : stem + L"." + extension;
            for (auto& c : name) {
                if (chance(20)) c = std::towupper(c);
            }
            if (model.count(Folded(name))) continue;
            FileState file{name, "content " + std::to_string(model.size()), chance(20)};
            Write(file.name, file.content, file.readOnly ? FILE_ATTRIBUTE_READONLY : 0);
            model[Folded(name)] = file;
        }
        Names list;
        for (const auto& [key, file] : model)
            if (chance(70)) list.push_back(file.name);
        if (list.empty()) list.push_back(model.begin()->second.name);
        std::shuffle(list.begin(), list.end(), random);

        auto options = Options(pick(newNames), chance(50), L"", pick(styles), pick(startNumbers), chance(20));
        if (options.newName == L"*") options.keepExtension = false;
        if (!options.keepExtension) options.newExtension = pick(newExtensions);
        bool clearAttributes = chance(50);
        ASSERT_EQ(CheckOptions(options), PlanCheck::Ready);
        auto plan = Plan(list, options);
        if (chance(15)) {
            std::wstring gone = pick(list);
            SetFileAttributesW(PathOf(gone).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(PathOf(gone).c_str());
            model.erase(Folded(gone));
        }

        std::multiset<std::string> contentsBefore;
        for (const auto& [key, file] : Read()) contentsBefore.insert(file.content);

        // The model: a rename needs its file and a free new name; renaming a
        // file to its own name in other letter case is allowed (the file
        // system may keep either spelling).
        ASSERT_EQ(plan.size(), list.size());
        std::map<std::wstring, bool> spellingMayDiffer;
        int expectedError = 0;
        size_t renamed = 0;
        Names expectedNames;
        for (size_t i = 0; i < list.size(); ++i) {
            std::wstring newName = ExpectedNewName(list[i], static_cast<int>(i) + 1, options);
            std::wstring from = Folded(list[i]), to = Folded(newName);
            if (!model.count(from)) { expectedError = 53; break; }
            if (to != from && model.count(to)) { expectedError = 58; break; }
            FileState file = model[from];
            model.erase(from);
            spellingMayDiffer[to] = to == from;
            file.name = newName;
            if (clearAttributes) file.readOnly = false;
            model[to] = file;
            expectedNames.push_back(newName);
            ++renamed;
        }

        EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, clearAttributes); }), expectedError);
        for (size_t i = 0; i < renamed; ++i) EXPECT_EQ(plan[i].newPath, PathOf(expectedNames[i]));

        Folder actual = Read();
        std::multiset<std::string> contentsAfter;
        for (const auto& [key, file] : actual) contentsAfter.insert(file.content);
        EXPECT_EQ(contentsAfter, contentsBefore);
        ASSERT_EQ(actual.size(), model.size());
        for (const auto& [key, expected] : model) {
            ASSERT_TRUE(actual.count(key)) << testing::PrintToString(expected.name);
            const FileState& file = actual[key];
            if (!spellingMayDiffer[key]) {
                EXPECT_EQ(file.name, expected.name);
            }
            EXPECT_EQ(file.content, expected.content) << testing::PrintToString(file.name);
            EXPECT_EQ(file.readOnly, expected.readOnly) << testing::PrintToString(file.name);
        }
        Clear();
    }
}
