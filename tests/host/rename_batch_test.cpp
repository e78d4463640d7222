// The batch over a model of the disk: moves cut off anywhere and taken back,
// undo with names taken and files gone, and the journal reader against
// damaged files.
#include <gtest/gtest.h>

#include <cwctype>
#include <algorithm>
#include <map>
#include <random>

#include "base/Paths.h"
#include "base/TextEncoding.h"
#include "rename/RenameBatch.h"

using namespace naming;

namespace {

std::wstring Folded(std::wstring name) {
    for (auto& c : name) c = static_cast<wchar_t>(std::towlower(c));
    return name;
}

struct StoredFile {
    std::wstring name;  // as the folder spells it
    std::string content;
    bool operator==(const StoredFile&) const = default;
};
using Folder = std::map<std::wstring, StoredFile>;  // by folded name

struct Crash {};  // the process ends: nothing after it runs

// Folders of files matched without regard to letter case, as Windows does;
// the move after `movesBeforeCrash` moves never happens.
class ModelDisk : public FileSystem {
public:
    std::map<std::wstring, Folder> folders;
    long movesBeforeCrash = -1;
    bool crashed = false;

    std::optional<base::RunError> Move(const std::wstring& from, const std::wstring& to) override {
        const base::PathParts source = base::SplitPath(from), target = base::SplitPath(to);
        EXPECT_EQ(source.folder, target.folder);
        auto folder = folders.find(source.folder);
        if (folder == folders.end()) return base::RunError(base::err::PathNotFound);
        auto file = folder->second.find(Folded(source.name));
        if (file == folder->second.end()) return base::RunError(base::err::FileNotFound);
        if (folder->second.count(Folded(target.name))) return base::RunError(base::err::FileExists);
        if (movesBeforeCrash == 0) {
            crashed = true;
            throw Crash{};
        }
        --movesBeforeCrash;
        StoredFile moved{target.name, file->second.content};
        folder->second.erase(file);
        folder->second[Folded(target.name)] = moved;
        return std::nullopt;
    }
    std::optional<std::wstring> StoredName(const std::wstring& path) override {
        const base::PathParts parts = base::SplitPath(path);
        auto folder = folders.find(parts.folder);
        if (folder == folders.end()) return std::nullopt;
        auto file = folder->second.find(Folded(parts.name));
        if (file == folder->second.end()) return std::nullopt;
        return file->second.name;
    }
    bool FolderExists(const std::wstring& folder) override { return folders.count(folder) > 0; }
    std::optional<base::RunError> ClearAttributes(const std::wstring& path) override {
        if (!StoredName(path)) return base::RunError(base::err::FileNotFound);
        return std::nullopt;
    }
    bool SameName(const std::wstring& a, const std::wstring& b) override { return Folded(a) == Folded(b); }

    void Add(const std::wstring& folder, const std::wstring& name) {
        folders[folder][Folded(name)] = {name, "content of " + std::string(name.begin(), name.end())};
    }
};

// Keeps the journal as its file would hold it: written once at the start,
// its state line changed at the end unless the process was gone by then.
class ModelJournal : public BatchJournal {
public:
    explicit ModelJournal(const ModelDisk& disk) : disk_(disk) {}
    std::string bytes;
    int ends = 0;

    bool Begin(const std::vector<JournalEntry>& entries, std::wstring&) override {
        bytes = EncodeJournal(Journal{BatchState::Running, 0, entries});
        return true;
    }
    void End(size_t renamedCount) noexcept override {
        if (disk_.crashed) return;
        ++ends;
        bytes.replace(StateLineOffset(), EncodeStateLine(BatchState::Finished, 0).size(),
                      EncodeStateLine(BatchState::Finished, renamedCount));
    }
    Journal Read() const {
        JournalReading reading = DecodeJournal(bytes);
        EXPECT_EQ(reading.fault, JournalFault::None);
        return reading.journal;
    }

private:
    const ModelDisk& disk_;
};

const std::wstring kFolders[] = {L"C:\\Pics", L"D:\\"};
const std::wstring kNames[] = {L"a.jpg",        L"B.JPG",        L"trip0001.jpg", L"Trip0002.JPG",
                               L"c.tar.gz",     L"\u03A9mega.txt", L"trip03.jpg",   L"x.JPG",
                               L"Trip0004.jpg", L"\U0001F600.png"};

NamingOptions RandomOptions(std::mt19937& random) {
    NamingOptions options;
    switch (random() % 4) {
    case 0: options.newName = L"Trip"; break;
    case 1: options.newName = L"trip"; options.indexStyle = IndexStyle::Two; break;
    case 2: options.newName = L"*"; options.keepExtension = false; options.newExtension = L"jpg"; break;
    default: options.newName = L"*"; options.keepExtension = false; options.newExtension = L"JPG"; break;
    }
    return options;
}

}  // namespace

// Random batches, each cut off after a random number of moves (a case-only
// rename between its two steps too), or ended by a name already taken, or
// run to the end; then taken back as the window would: afterwards every file
// has its first name and content and nothing else is left on the disk.
TEST(RenameBatch, EveryBatchCutOffAnywhereGoesBackToTheFirstNames) {
    std::mt19937 random(20261207);
    int cutOff = 0, failed = 0, caseOnlyMoves = 0;
    for (int round = 0; round < 3000; ++round) {
        ModelDisk disk;
        std::vector<RenameEntry> entries;
        for (const std::wstring& folder : kFolders) {
            disk.folders[folder];
            for (const std::wstring& name : kNames) {
                if (random() % 2) continue;
                disk.Add(folder, name);
                if (random() % 3) entries.push_back({folder, name});
            }
        }
        std::shuffle(entries.begin(), entries.end(), random);
        const auto before = disk.folders;
        const NamingOptions options = RandomOptions(random);
        std::vector<PlannedRename> plan = BuildPlan(entries, options).entries;
        disk.movesBeforeCrash = static_cast<long>(random() % (2 * entries.size() + 2)) - 1;
        ModelJournal journal(disk);
        try {
            RunBatch(plan, options, true, L"~nomaro-test-", disk, journal, [](const std::wstring&) {
                ADD_FAILURE() << "the journal was writable";
            });
        } catch (const Crash&) {
            ++cutOff;
        } catch (const base::RunError& error) {
            EXPECT_EQ(error.number, base::err::FileExists);
            ++failed;
        }
        if (journal.bytes.empty()) {  // nothing to move: no journal, nothing moved
            EXPECT_EQ(disk.folders, before);
            continue;
        }
        EXPECT_EQ(journal.ends, disk.crashed ? 0 : 1);
        const Journal written = journal.Read();
        for (const JournalEntry& entry : written.entries) caseOnlyMoves += !entry.temporaryName.empty();
        disk.movesBeforeCrash = -1;
        const RollbackReport report = Rollback(written, RenamedCount(written, disk), disk);
        EXPECT_TRUE(report.left.empty()) << "round " << round;
        EXPECT_EQ(disk.folders, before) << "round " << round;
    }
    // The rounds reached every way a batch ends.
    EXPECT_GT(cutOff, 300);
    EXPECT_GT(failed, 100);
    EXPECT_GT(caseOnlyMoves, 100);
}

// After a batch of four files: one renamed again by hand, one whose old name
// a new file took, one folder removed, one that went back by hand already.
TEST(RenameBatch, UndoLeavesWhatItCannotTakeBackAndSaysWhy) {
    ModelDisk disk;
    const std::vector<RenameEntry> entries = {{L"C:\\P", L"a.jpg"}, {L"C:\\P", L"b.jpg"}, {L"C:\\P", L"c.jpg"},
                                              {L"C:\\P", L"d.jpg"}, {L"C:\\P", L"e.jpg"}, {L"C:\\Q", L"q.jpg"}};
    for (const RenameEntry& entry : entries) disk.Add(entry.folder, entry.name);
    NamingOptions options;
    options.newName = L"T";
    auto plan = BuildPlan(entries, options).entries;
    ModelJournal journal(disk);
    RunBatch(plan, options, false, L"~t-", disk, journal, [](const std::wstring&) {});
    ASSERT_EQ(journal.Read().renamedCount, 6u);

    ASSERT_FALSE(disk.Move(L"C:\\P\\T0001.jpg", L"C:\\P\\mine.jpg"));  // renamed by hand
    disk.Add(L"C:\\P", L"B.JPG");                                      // takes b's old name
    ASSERT_FALSE(disk.Move(L"C:\\P\\T0004.jpg", L"C:\\P\\d.jpg"));     // back by hand
    disk.folders.erase(L"C:\\Q");
    const RollbackReport report = Rollback(journal.Read(), journal.Read().renamedCount, disk);

    EXPECT_EQ(report.restored, 3u);  // c and e moved back, d back already
    std::vector<std::pair<std::wstring, LeftReason>> left;
    for (const auto& item : report.left) left.emplace_back(item.entry.oldName, item.reason);
    EXPECT_EQ(left, (std::vector<std::pair<std::wstring, LeftReason>>{{L"q.jpg", LeftReason::FolderGone},
                                                                      {L"b.jpg", LeftReason::OldNameTaken},
                                                                      {L"a.jpg", LeftReason::RenamedFileGone}}));
    EXPECT_EQ(disk.folders[L"C:\\P"].at(L"b.jpg").name, L"B.JPG");  // nothing overwritten
    for (const wchar_t* name : {L"T0002.jpg", L"mine.jpg", L"c.jpg", L"d.jpg", L"e.jpg"})
        EXPECT_TRUE(disk.StoredName(L"C:\\P\\" + std::wstring(name))) << name;
}

// ---- The journal file ---------------------------------------------------------

namespace {

Journal Sample() {
    return Journal{BatchState::Finished, 2,
                   {{L"C:\\My Pics", L"a b.jpg", L"Trip0001.jpg", L""},
                    {L"D:\\\u0416\U0001F600", L"B.JPG", L"b.jpg", L"~nomaro-x-1.tmp"},
                    {L"C:\\", L"\xD800lone.txt", L"Trip0003.txt", L""}}};
}

std::string Utf16(const std::wstring& text) { return "\xFF\xFE" + base::ToUtf16LittleEndian(text); }

}  // namespace

TEST(RenameJournal, WhatIsWrittenIsReadBackAndItsStateLineChangesInPlace) {
    const Journal journal = Sample();
    std::string bytes = EncodeJournal(journal);
    JournalReading reading = DecodeJournal(bytes);
    ASSERT_EQ(reading.fault, JournalFault::None);
    EXPECT_EQ(reading.journal.entries, journal.entries);
    EXPECT_EQ(reading.journal.renamedCount, 2u);
    EXPECT_EQ(reading.journal.state, BatchState::Finished);

    const std::string undone = EncodeStateLine(BatchState::Undone, 1234567);
    ASSERT_EQ(undone.size(), EncodeStateLine(BatchState::Running, 0).size());
    bytes.replace(StateLineOffset(), undone.size(), undone);
    reading = DecodeJournal(bytes);
    EXPECT_EQ(reading.fault, JournalFault::Damaged);  // more renamed than entries
    bytes.replace(StateLineOffset(), undone.size(), EncodeStateLine(BatchState::Undone, 3));
    reading = DecodeJournal(bytes);
    ASSERT_EQ(reading.fault, JournalFault::None);
    EXPECT_EQ(reading.journal.state, BatchState::Undone);
    EXPECT_EQ(reading.journal.renamedCount, 3u);
}

TEST(RenameJournal, EveryCutOffJournalIsRefused) {
    const std::string bytes = EncodeJournal(Sample());
    for (size_t length = 1; length < bytes.size(); ++length) {
        const JournalFault fault = DecodeJournal(bytes.substr(0, length)).fault;
        EXPECT_EQ(fault, length == 1 ? JournalFault::NotAJournal : JournalFault::CutOff) << length;
    }
}

TEST(RenameJournal, DamagedAndForeignFilesAreRefusedWithTheirFault) {
    const std::wstring head = L"Nomaro rename journal\t1\r\nstate\tfinished\t0000000001\r\nentries\t1\r\n";
    const struct {
        std::string bytes;
        JournalFault fault;
    } cases[] = {
        {"", JournalFault::Empty},
        {"\x7F" "ELF\x01\x02\x03\x00\xFF\xFE", JournalFault::NotAJournal},
        {"Nomaro rename journal\t1\r\n", JournalFault::NotAJournal},  // not UTF-16
        {Utf16(L"{\"rtf\": 1}\r\n"), JournalFault::NotAJournal},
        {Utf16(L"Nomaro rename journal\t2\r\nwhatever comes\r\n"), JournalFault::NewerVersion},
        {Utf16(L"Nomaro rename journal\t0\r\n"), JournalFault::Damaged},
        {Utf16(L"Nomaro rename journal\tx\r\n"), JournalFault::Damaged},
        {Utf16(head + L"C:\\P\ta.jpg\tb.jpg\t\r\nend\r\n"), JournalFault::None},
        {Utf16(head + L"C:\\P\ta.jpg\tb.jpg\t\r\nend\r\nmore\r\n"), JournalFault::Damaged},
        {Utf16(head + L"C:\\P\ta.jpg\t..\\..\\b.jpg\t\r\nend\r\n"), JournalFault::Damaged},
        {Utf16(head + L"C:\\P\ta.jpg\tb.jpg\r\nend\r\n"), JournalFault::Damaged},
        {Utf16(head + L"\ta.jpg\tb.jpg\t\r\nend\r\n"), JournalFault::Damaged},
        {Utf16(head + L"C:\\P\ta.jpg\t..\t\r\nend\r\n"), JournalFault::Damaged},
        {Utf16(head + L"end\r\n"), JournalFault::Damaged},
        {Utf16(L"Nomaro rename journal\t1\r\nstate\tdone    \t0000000000\r\nentries\t0\r\nend\r\n"),
         JournalFault::Damaged},
        {Utf16(L"Nomaro rename journal\t1\r\nstatus\tfinished\t0000000000\r\nentries\t0\r\nend\r\n"),
         JournalFault::Damaged},
        {Utf16(L"Nomaro rename journal\t1\r\nstate\tfinished\t1\r\nentries\t1\r\n"), JournalFault::Damaged},
        {Utf16(head + L"C:\\P\x07\ta.jpg\tb.jpg\t\r\nend\r\n"), JournalFault::Damaged},
        {Utf16(head + L"C:\\P\ta.jpg\tb\x01.jpg\t\r\nend\r\n"), JournalFault::Damaged},
        {Utf16(L"Nomaro rename journal\t1\r\nstate\tfinished\t0000000000\r\nentries\t32767\r\n"),
         JournalFault::CutOff},
        {Utf16(L"Nomaro rename journal\t1\r\nstate\tfinished\t0000000000\r\nentries\t32768\r\n"),
         JournalFault::Damaged},  // more than a rename list holds, refused before its lines
        {std::string(kMaxJournalBytes + 1, 'x'), JournalFault::TooLarge},
    };
    for (const auto& row : cases) EXPECT_EQ(DecodeJournal(row.bytes).fault, row.fault) << row.bytes.size();
}
