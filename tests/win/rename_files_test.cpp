// The perform step on real files; the new names themselves are the naming rules' (tested on the host).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>

#include "base/Ansi.h"
#include "base/Scoped.h"
#include "rename/NamingRules.h"
#include "rename/RenameFiles.h"
#include "tests/error_number.h"
#include "tests/win/remove_tree.h"

using namespace naming;
using testing_support::ErrorNumberOf;
using Names = std::vector<std::wstring>;
namespace fs = std::filesystem;

namespace {

struct FileState { std::wstring name; std::string content; bool readOnly = false; };
using Folder = std::map<std::wstring, FileState>;  // by case-folded names, as Windows matches them

std::wstring Folded(std::wstring name) {
    for (auto& c : name) c = std::towlower(c);
    return name;
}

using Options = NamingOptions;

// Options with a new name, whether the extension is kept and the new extension.
Options Named(const wchar_t* name, bool keepExtension = true, const wchar_t* newExtension = L"") {
    Options options;
    options.newName = name;
    options.keepExtension = keepExtension;
    options.newExtension = newExtension;
    return options;
}

class RenameFiles : public testing::Test {
protected:
    std::wstring folder;  // without a trailing backslash

    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = temp + (L"nomaro-rename-" + std::to_wstring(GetCurrentProcessId()));
        Clear();
    }
    void TearDown() override { testing_support::RemoveTree(folder); }
    void Clear() {
        testing_support::RemoveTree(folder);
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    }

    std::wstring PathOf(const std::wstring& name) const { return folder + L"\\" + name; }

    void Write(const FileState& file) {
        std::ofstream(fs::path(PathOf(file.name)), std::ios::binary) << file.content;
        if (file.readOnly) SetFileAttributesW(PathOf(file.name).c_str(), FILE_ATTRIBUTE_READONLY);
    }

    Folder Read() const {
        Folder files;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            FileState file{entry.path().filename().wstring(), {std::istreambuf_iterator<char>(in), {}},
                           (GetFileAttributesW(entry.path().c_str()) & FILE_ATTRIBUTE_READONLY) != 0};
            files[Folded(file.name)] = file;
        }
        return files;
    }

    std::vector<PlannedRename> Plan(const Names& names, const NamingOptions& options, const std::wstring& in) {
        std::vector<RenameEntry> entries;
        for (const auto& name : names) entries.push_back({in, name});
        return BuildPlan(entries, options).entries;
    }
};

}  // namespace

// The failures a folder model cannot make, and the folder as the list names it.
TEST_F(RenameFiles, RenamesOneFileOrReportsWhyNot) {
    const struct {
        const char* what;
        const wchar_t* file;  // holds its own name
        NamingOptions options;
        int error;
        const wchar_t* after;
        const wchar_t* folderSuffix = L"";  // appended to the folder the list names
        bool heldOpen = false;
    } table[] = {
        {"renamed", L"a.jpg", Named(L"My Trip"), 0, L"My Trip0001.jpg"},
        {"folder with a trailing backslash", L"a.jpg", Named(L"Root"), 0, L"Root0001.jpg", L"\\"},
        {"folder gone", L"a.jpg", Named(L"Trip"), 76, L"a.jpg", L"\\gone"},
        {"file held open", L"a.jpg", Named(L"Trip"), 70, L"a.jpg", L"", true},
        // New names that are no plain names in the file's own folder.
        {"colon", L"a.jpg", Named(L"T:x"), 52, L"a.jpg"}, {"backslash", L"a.jpg", Named(L"sub\\T"), 52, L"a.jpg"},
        {"slash in the extension", L"a.jpg", Named(L"T", false, L"a/b"), 52, L"a.jpg"},
        {"control character", L"a.jpg", Named(L"T\x1f"), 52, L"a.jpg"},
        {"no name left", L"README", Named(L"*", false), 52, L"README"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        Write({row.file, base::ToAnsi(row.file)});
        auto plan = Plan({row.file}, row.options, folder + row.folderSuffix);
        {
            base::FileHandle held;
            if (row.heldOpen)
                held.Reset(CreateFileW(PathOf(row.file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, row.options, false); }), row.error);
        }
        const Folder after = Read();
        ASSERT_EQ(after.size(), 1u);
        EXPECT_EQ(after.begin()->second.name, row.after);
        EXPECT_EQ(after.begin()->second.content, base::ToAnsi(row.file));
        EXPECT_TRUE(row.error != 0 || plan[0].newPath == PathOf(row.after));
        Clear();
    }
}

// A name that changes only in letter case goes through a temporary name, which must be free;
// when the second step fails the file keeps its old name and no temporary file is left.
TEST_F(RenameFiles, LetterCaseChangesReachTheDisk) {
    const std::wstring taken = L"~nomaro-" + std::to_wstring(GetCurrentProcessId()) + L"-0.tmp";
    for (bool secondStepFails : {false, true}) {
        SCOPED_TRACE(secondStepFails ? "second step fails" : "both steps work");
        Write({L"a.jpg", "a"});
        Write({L"b.JPG", "b"});
        Write({taken, "in the way"});
        const Options options = Named(L"*", false, L"JPG");
        auto plan = Plan({L"a.jpg", L"b.JPG"}, options, folder);
        int moves = 0;
        const FileMover mover = [&](const std::wstring& from, const std::wstring& to) {
            ++moves;
            if (secondStepFails && from.find(L"~nomaro-") != std::wstring::npos && to != plan[0].oldPath) {
                SetLastError(ERROR_ACCESS_DENIED);
                return false;
            }
            return MoveFileW(from.c_str(), to.c_str()) != FALSE;
        };
        EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false, mover); }), secondStepFails ? 75 : 0);
        std::set<std::wstring> names;
        for (const auto& [key, file] : Read()) names.insert(file.name);
        EXPECT_EQ(names, (std::set<std::wstring>{secondStepFails ? L"a.jpg" : L"a.JPG", L"b.JPG", taken}));
        EXPECT_EQ(Read()[L"a.jpg"].content, "a");
        EXPECT_EQ(Read()[Folded(taken)].content, "in the way");
        EXPECT_EQ(moves, secondStepFails ? 4 : 3) << "the taken name, the temporary name, the new or the old name";
        Clear();
    }
}

// Random folders, lists and options against a model: the renames follow the list up to the
// first failure the model predicts; no file is lost or overwritten.
TEST_F(RenameFiles, RandomRenamesKeepEveryFile) {
    unsigned seed = 20261207;
    if (const char* chosen = std::getenv("NOMARO_RENAME_SEED")) seed = static_cast<unsigned>(std::atoll(chosen));
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with NOMARO_RENAME_SEED)");
    std::mt19937 random(seed);
    auto pick = [&](const auto& choices) { return choices[random() % std::size(choices)]; };
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };

    // Chosen so that names often collide with new names.
    const std::wstring stems[] = {L"a", L"b", L"c", L"x.tar", L"README", L"Trip0001", L"Trip0002",
                                  L"Trip001", L"Trip01", L"Trip1", L"Trip", L"trip0003", L"", L"photo"};
    const std::wstring extensions[] = {L"jpg", L"gz", L"bak", L"png", L"001", L"002", L"", L"profile"};
    const std::wstring newNames[] = {L"*", L"Trip", L"trip", L"a", L"TRIP", L"con"};
    const std::wstring newExtensions[] = {L"bak", L"jpg", L"JPG", L"png", L"001", L"gz", L""};
    const std::wstring startNumbers[] = {L"1", L"0001", L"098", L"-2", L"7", L"+3", L"00"};
    const IndexStyle styles[] = {IndexStyle::Four, IndexStyle::Three, IndexStyle::Two, IndexStyle::StartNumber};

    for (int round = 0; round < 40 && !HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Folder model;
        const int fileCount = 1 + random() % 30;
        for (int attempt = 0; static_cast<int>(model.size()) < fileCount && attempt < 200; ++attempt) {
            const std::wstring stem = pick(stems), extension = pick(extensions);
            if (stem.empty() && extension.empty()) continue;
            std::wstring name = extension.empty() ? stem : stem + L"." + extension;
            for (auto& c : name)
                if (chance(20)) c = std::towupper(c);
            if (model.count(Folded(name))) continue;
            FileState file{name, "content " + std::to_string(model.size()), chance(20)};
            Write(file);
            model[Folded(name)] = file;
        }
        Names list;
        for (const auto& [key, file] : model)
            if (chance(70)) list.push_back(file.name);
        if (list.empty()) list.push_back(model.begin()->second.name);
        std::shuffle(list.begin(), list.end(), random);

        auto options = Options{pick(newNames), chance(50), L"", pick(styles), pick(startNumbers), chance(20)};
        if (options.newName == L"*") options.keepExtension = false;
        if (!options.keepExtension) options.newExtension = pick(newExtensions);
        const bool clearAttributes = chance(50);
        auto plan = Plan(list, options, folder);
        ASSERT_EQ(plan.size(), list.size());
        if (chance(15)) {
            const std::wstring gone = pick(list);
            SetFileAttributesW(PathOf(gone).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(PathOf(gone).c_str());
            model.erase(Folded(gone));
        }

        // Any bad new name stops everything before the first move; then a rename needs
        // its file and a free new name (its own in other letter case is free).
        int expectedError = 0;
        size_t renamed = 0;
        for (const auto& planned : plan)
            if (!IsUsableFileName(NewName(planned, options))) expectedError = 52;
        for (; renamed < plan.size() && expectedError == 0; ++renamed) {
            const std::wstring newName = NewName(plan[renamed], options);
            const std::wstring from = Folded(plan[renamed].name), to = Folded(newName);
            if (!model.count(from)) { expectedError = 53; break; }
            if (to != from && model.count(to)) { expectedError = 58; break; }
            FileState file = model[from];
            model.erase(from);
            model[to] = {newName, file.content, file.readOnly && !clearAttributes};
        }

        EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, clearAttributes); }), expectedError);
        for (size_t i = 0; expectedError != 52 && i < renamed; ++i) EXPECT_EQ(plan[i].newPath, PathOf(NewName(plan[i], options)));
        Folder actual = Read();
        ASSERT_EQ(actual.size(), model.size());
        for (const auto& [key, expected] : model) {
            ASSERT_TRUE(actual.count(key)) << testing::PrintToString(expected.name);
            const FileState& file = actual[key];
            EXPECT_EQ(file.name, expected.name);
            EXPECT_TRUE(file.content == expected.content && file.readOnly == expected.readOnly)
                << testing::PrintToString(file.name);
        }
        Clear();
    }
}
