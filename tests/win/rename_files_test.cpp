// The perform step on real files; the new names themselves are the naming rules' (tested on the host).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "base/Ansi.h"
#include "base/Scoped.h"
#include "rename/NamingRules.h"
#include "rename/RenameFiles.h"
#include "tests/error_number.h"
#include "tests/win/temp_folder.h"

using namespace naming;
using namespace testing_support;
using Names = std::vector<std::wstring>;
namespace fs = std::filesystem;

namespace {

using Folder = std::map<std::wstring, std::string>;  // each file's name and content

NamingOptions Named(const wchar_t* name, bool keepExtension = true, const wchar_t* newExtension = L"") {
    return {.newName = name, .keepExtension = keepExtension, .newExtension = newExtension,
            .indexStyle = IndexStyle::Four, .startNumber = L"", .indexedExtension = false};
}
const JournalWarning NoWarning = [](const std::wstring& reason) { ADD_FAILURE() << "no journal: " << base::ToAnsi(reason); };

class RenameFiles : public testing::Test {
protected:
    TempFolder files;
    std::wstring folder = files.Path();  // without a trailing backslash; each table row has a subfolder
    TempFolder appDataFolder;
    const std::wstring appData = appDataFolder.Path();  // the journals go to appData\Nomaro

    void SetUp() override { SetEnvironmentVariableW(L"LOCALAPPDATA", appData.c_str()); }

    std::wstring PathOf(const std::wstring& name) const { return folder + L"\\" + name; }

    Folder Read() const {
        Folder files;
        for (const auto& entry : fs::directory_iterator(folder))
            files[entry.path().filename().wstring()] = FileBytes(entry.path());
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
        const wchar_t* what;
        const wchar_t* newName;
        int error;
        const wchar_t* after;  // the name of a.jpg afterwards
        const wchar_t* folderSuffix = L"";  // appended to the folder the list names
        bool heldOpen = false;
    } table[] = {
        {L"renamed", L"My Trip", 0, L"My Trip0001.jpg"},
        {L"folder with a trailing backslash", L"Root", 0, L"Root0001.jpg", L"\\"},
        {L"folder gone", L"Trip", 76, L"a.jpg", L"\\gone"},
        {L"file held open", L"Trip", 70, L"a.jpg", L"", true},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        folder = files.AddFolder(row.what);
        const NamingOptions options = Named(row.newName);
        PutBytes(PathOf(L"a.jpg"), "a.jpg");
        auto plan = Plan({L"a.jpg"}, options, folder + row.folderSuffix);
        {
            base::FileHandle held;
            if (row.heldOpen)
                held.Reset(CreateFileW(PathOf(L"a.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            EXPECT_EQ(ErrorNumberOf([&] { PerformRenames(plan, options, false, NoWarning); }), row.error);
        }
        EXPECT_EQ(Read(), (Folder{{row.after, "a.jpg"}}));
        EXPECT_TRUE(row.error != 0 || plan[0].newPath == PathOf(row.after));
    }
}

// A name that changes only in letter case goes through a temporary name of its batch; when that
// name is taken, or the second step fails, the file keeps its old name and nothing else changes.
TEST_F(RenameFiles, LetterCaseChangesReachTheDisk) {
    const std::wstring temporary = L"~nomaro-" + std::to_wstring(GetCurrentProcessId()) + L"-0.tmp";
    const struct {
        const wchar_t* what;
        bool temporaryTaken, secondStepFails;
        int error, moves;
    } table[] = {
        {L"both steps work", false, false, 0, 2},
        {L"second step fails", false, true, 75, 3},  // there, refused, back
        {L"temporary name taken", true, false, 58, 1},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        folder = files.AddFolder(row.what);
        PutBytes(PathOf(L"a.jpg"), "a");
        PutBytes(PathOf(L"b.JPG"), "b");
        if (row.temporaryTaken) PutBytes(PathOf(temporary), "in the way");
        const NamingOptions options = Named(L"*", false, L"JPG");
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
        Folder expected{{row.error ? L"a.jpg" : L"a.JPG", "a"}, {L"b.JPG", "b"}};
        if (row.temporaryTaken) expected[temporary] = "in the way";
        EXPECT_EQ(Read(), expected);
        EXPECT_EQ(moves, row.moves);
    }
}

// A batch on the real disk leaves one journal, names outside the ANSI code page included; the
// next batch replaces it, and the journal held here is live for another.
TEST_F(RenameFiles, EachBatchLeavesOneJournal) {
    const std::wstring omega = L"\u03a9mega.jpg", tokyo = L"\u6771\u4eac.JPG";
    for (const auto& name : {L"a.jpg", omega.c_str(), tokyo.c_str()}) PutBytes(PathOf(name), base::ToAnsi(name));
    const NamingOptions caseOnly = Named(L"*", false, L"JPG");
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

    const NamingOptions trip = Named(L"Trip");
    plan = Plan({L"a.JPG", L"\u03a9mega.JPG", tokyo}, trip, folder);
    PerformRenames(plan, trip, false, NoWarning);
    const std::vector<std::wstring> journals = StoredJournals();
    ASSERT_EQ(journals.size(), 1u);
    HeldJournal last = LastFinishedBatch();
    ASSERT_EQ(last.status(), HeldJournal::Status::Held);
    EXPECT_EQ(last.path(), journals[0]);
    EXPECT_EQ(last.journal().renamedCount, 3u);
    EXPECT_EQ(HeldJournal(journals[0]).status(), HeldJournal::Status::Live);  // held here, so not for another
}

// When the journal cannot be written the user is told why before any file moves, and the batch
// goes on; a journal file that cannot be used is named as such and can be set aside.
TEST_F(RenameFiles, JournalsThatCannotBeWrittenOrReadAreReported) {
    PutBytes(appData + L"\\Nomaro", "a file where the folder should be");
    PutBytes(PathOf(L"a.jpg"), "a");
    const NamingOptions trip = Named(L"Trip");
    auto plan = Plan({L"a.jpg"}, trip, folder);
    std::vector<std::wstring> warnings;
    PerformRenames(plan, trip, false, [&](const std::wstring& reason) {
        warnings.push_back(reason);
        EXPECT_EQ(Read().begin()->first, L"a.jpg");  // told before the move
    });
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(appData), std::wstring::npos) << base::ToAnsi(warnings[0]);
    EXPECT_EQ(Read().begin()->first, L"Trip0001.jpg");
    DeleteFileW((appData + L"\\Nomaro").c_str());

    ASSERT_TRUE(CreateDirectoryW(JournalFolder().c_str(), nullptr));
    const std::wstring journal = JournalFolder() + L"\\batch-0.journal";
    PutBytes(journal, "");
    {
        HeldJournal empty(journal);
        EXPECT_EQ(empty.status(), HeldJournal::Status::Faulty);
        EXPECT_TRUE(empty.fault() == JournalFault::Empty && empty.reason().empty());
        EXPECT_EQ(empty.SetAside(), journal + L".damaged");
        EXPECT_EQ(GetFileAttributesW(journal.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    ASSERT_TRUE(CreateDirectoryW(journal.c_str(), nullptr));  // a folder cannot be opened as a file
    HeldJournal folderInItsPlace(journal);
    EXPECT_EQ(folderInItsPlace.status(), HeldJournal::Status::Refused);
    EXPECT_TRUE(folderInItsPlace.fault() == JournalFault::None && !folderInItsPlace.reason().empty());
}
