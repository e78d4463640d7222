// The perform step on real files; the new names themselves are the naming rules' (tested on the host).
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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
const JournalWarning NoWarning = [](const std::wstring& reason) { ADD_FAILURE() << "no journal: " << base::ToAnsi(reason); };

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

    std::wstring appData;  // the journals go to appData\Nomaro

    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = temp + (L"nomaro-rename-" + std::to_wstring(GetCurrentProcessId()));
        appData = folder + L"-appdata";
        testing_support::RemoveTree(appData);
        ASSERT_TRUE(CreateDirectoryW(appData.c_str(), nullptr));
        SetEnvironmentVariableW(L"LOCALAPPDATA", appData.c_str());
        Clear();
    }
    void TearDown() override {
        testing_support::RemoveTree(folder);
        testing_support::RemoveTree(appData);
    }
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

// Each failure of a single rename, and the folder as the list names it.
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
        {"backslash", L"a.jpg", Named(L"sub\\T"), 52, L"a.jpg"},
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
            EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, row.options, false, NoWarning); }), row.error);
        }
        const Folder after = Read();
        ASSERT_EQ(after.size(), 1u);
        EXPECT_EQ(after.begin()->second.name, row.after);
        EXPECT_EQ(after.begin()->second.content, base::ToAnsi(row.file));
        EXPECT_TRUE(row.error != 0 || plan[0].newPath == PathOf(row.after));
        Clear();
    }
}

// A name that changes only in letter case goes through a temporary name of its batch; when that
// name is taken, or the second step fails, the file keeps its old name and nothing else changes.
TEST_F(RenameFiles, LetterCaseChangesReachTheDisk) {
    const std::wstring temporary = L"~nomaro-" + std::to_wstring(GetCurrentProcessId()) + L"-0.tmp";
    const struct {
        const char* what;
        bool temporaryTaken, secondStepFails;
        int error, moves;
    } table[] = {
        {"both steps work", false, false, 0, 2},
        {"second step fails", false, true, 75, 3},  // there, refused, back
        {"temporary name taken", true, false, 58, 1},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        Write({L"a.jpg", "a"});
        Write({L"b.JPG", "b"});
        if (row.temporaryTaken) Write({temporary, "in the way"});
        const Options options = Named(L"*", false, L"JPG");
        auto plan = Plan({L"a.jpg", L"b.JPG"}, options, folder);
        int moves = 0;
        const FileMover mover = [&](const std::wstring& from, const std::wstring& to) {
            ++moves;
            if (row.secondStepFails && from.find(L"~nomaro-") != std::wstring::npos && to != plan[0].oldPath) {
                SetLastError(ERROR_ACCESS_DENIED);
                return false;
            }
            return MoveFileW(from.c_str(), to.c_str()) != FALSE;
        };
        EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false, mover); }), row.error);
        std::set<std::wstring> names;
        for (const auto& [key, file] : Read()) names.insert(file.name);
        std::set<std::wstring> expected{row.error ? L"a.jpg" : L"a.JPG", L"b.JPG"};
        if (row.temporaryTaken) expected.insert(temporary);
        EXPECT_EQ(names, expected);
        EXPECT_EQ(Read()[L"a.jpg"].content, "a");
        if (row.temporaryTaken) {
            EXPECT_EQ(Read()[Folded(temporary)].content, "in the way");
        }
        EXPECT_EQ(moves, row.moves);
        Clear();
    }
}

// A batch on the real disk leaves one journal, names outside the ANSI code page included; the
// next batch replaces it, and taking it back restores the names it changed and no other.
TEST_F(RenameFiles, EachBatchLeavesAJournalThatTakesItBack) {
    const std::wstring omega = L"\u03a9mega.jpg", tokyo = L"\u6771\u4eac.JPG";
    for (const auto& name : {L"a.jpg", omega.c_str(), tokyo.c_str()}) Write({name, base::ToAnsi(name)});
    const Options caseOnly = Named(L"*", false, L"JPG");
    auto plan = Plan({L"a.jpg", omega, tokyo}, caseOnly, folder);
    PerformRenames(plan, caseOnly, false, NoWarning);
    ASSERT_EQ(StoredJournals().size(), 1u);
    {
        HeldJournal first = LastFinishedBatch();
        ASSERT_EQ(first.status(), HeldJournal::Status::Held);
        ASSERT_EQ(first.journal().entries.size(), 2u);  // the third name stays as it is
        EXPECT_EQ(first.journal().entries[1].oldName, omega);
        EXPECT_EQ(first.journal().entries[1].temporaryName.rfind(L"~nomaro-", 0), 0u);
    }

    const Options trip = Named(L"Trip");
    plan = Plan({L"a.JPG", L"\u03a9mega.JPG", tokyo}, trip, folder);
    PerformRenames(plan, trip, false, NoWarning);
    const std::vector<std::wstring> journals = StoredJournals();
    ASSERT_EQ(journals.size(), 1u);
    HeldJournal last = LastFinishedBatch();
    ASSERT_EQ(last.status(), HeldJournal::Status::Held);
    EXPECT_EQ(last.path(), journals[0]);
    EXPECT_EQ(last.journal().renamedCount, 3u);
    EXPECT_EQ(HeldJournal(journals[0]).status(), HeldJournal::Status::Live);  // held here, so not for another

    Write({L"outsider.txt", "x"});
    const RollbackReport report = Rollback(last.journal(), last.journal().renamedCount, RealDisk());
    EXPECT_EQ(report.restored, 3u);
    EXPECT_TRUE(report.left.empty());
    ASSERT_TRUE(last.SetState(BatchState::Undone, 3));
    std::map<std::wstring, std::string> contents;
    for (const auto& [key, file] : Read()) contents[file.name] = file.content;
    EXPECT_EQ(contents, (std::map<std::wstring, std::string>{{L"a.JPG", "a.jpg"},
                                                            {L"\u03a9mega.JPG", base::ToAnsi(omega)},
                                                            {tokyo, base::ToAnsi(tokyo)},
                                                            {L"outsider.txt", "x"}}));
    last = HeldJournal(std::wstring());
    EXPECT_EQ(LastFinishedBatch().status(), HeldJournal::Status::Missing);  // taken back: not offered again
}

// When the journal cannot be written the user is told why before any file moves, and the batch
// goes on; a journal file that cannot be used is named as such and can be set aside.
TEST_F(RenameFiles, JournalsThatCannotBeWrittenOrReadAreReported) {
    std::ofstream(fs::path(appData + L"\\Nomaro")) << "a file where the folder should be";
    Write({L"a.jpg", "a"});
    const Options trip = Named(L"Trip");
    auto plan = Plan({L"a.jpg"}, trip, folder);
    std::vector<std::wstring> warnings;
    PerformRenames(plan, trip, false, [&](const std::wstring& reason) {
        warnings.push_back(reason);
        EXPECT_EQ(Read().begin()->second.name, L"a.jpg");  // told before the move
    });
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(appData), std::wstring::npos) << base::ToAnsi(warnings[0]);
    EXPECT_EQ(Read().begin()->second.name, L"Trip0001.jpg");
    DeleteFileW((appData + L"\\Nomaro").c_str());

    ASSERT_TRUE(CreateDirectoryW(JournalFolder().c_str(), nullptr));
    const std::wstring journal = JournalFolder() + L"\\batch-0.journal";
    const struct {
        const char* what;
        std::string bytes;
        bool aFolder;  // a folder in the journal's place cannot be opened as a file
        HeldJournal::Status status;
        JournalFault fault;
    } table[] = {
        {"empty", "", false, HeldJournal::Status::Faulty, JournalFault::Empty},
        {"garbage", "\x7f" "ELF\x01\x02", false, HeldJournal::Status::Faulty, JournalFault::NotAJournal},
        {"whole", EncodeJournal({BatchState::Running, 0, {{folder, L"a", L"b", L""}}}), false,
         HeldJournal::Status::Held, JournalFault::None},
        {"a folder", "", true, HeldJournal::Status::Refused, JournalFault::None},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        if (row.aFolder)
            CreateDirectoryW(journal.c_str(), nullptr);
        else
            std::ofstream(fs::path(journal), std::ios::binary) << row.bytes;
        HeldJournal held(journal);
        EXPECT_EQ(held.status(), row.status);
        EXPECT_EQ(held.fault(), row.fault);
        EXPECT_EQ(held.status() == HeldJournal::Status::Refused, !held.reason().empty());
        if (row.status == HeldJournal::Status::Faulty) {
            EXPECT_EQ(held.SetAside(), journal + L".damaged");
            EXPECT_EQ(GetFileAttributesW(journal.c_str()), INVALID_FILE_ATTRIBUTES);
            DeleteFileW((journal + L".damaged").c_str());
        }
        held = HeldJournal(std::wstring());
        DeleteFileW(journal.c_str());
        RemoveDirectoryW(journal.c_str());
    }
}
