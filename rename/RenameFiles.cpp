#include "rename/RenameFiles.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "base/Paths.h"
#include "base/RunError.h"
#include "base/Scoped.h"
#include "base/Texts.h"
#include "base/Win32Error.h"

namespace naming {

namespace {

const wchar_t kJournalPattern[] = L"batch-*.journal";

std::optional<base::RunError> LastFailure() { return base::RunErrorFromWin32(GetLastError()); }

// The file system as the program sees it: moves that never replace a file,
// names compared as the file system compares them.
class RealFileSystem : public FileSystem {
public:
    std::optional<base::RunError> Move(const std::wstring& from, const std::wstring& to) override {
        if (MoveFileW(from.c_str(), to.c_str())) return std::nullopt;
        return LastFailure();
    }
    std::optional<std::wstring> StoredName(const std::wstring& path) override {
        WIN32_FIND_DATAW found;
        base::FindHandle search(FindFirstFileW(path.c_str(), &found));
        if (!search) return std::nullopt;
        return std::wstring(found.cFileName);
    }
    bool FolderExists(const std::wstring& folder) override {
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    std::optional<base::RunError> ClearAttributes(const std::wstring& path) override {
        if (SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL)) return std::nullopt;
        return LastFailure();
    }
    bool SameName(const std::wstring& a, const std::wstring& b) override {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                    static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
    }
};

// The real disk with another mover, for the tests of a failing step.
class MoverFileSystem : public RealFileSystem {
public:
    explicit MoverFileSystem(const FileMover& move) : move_(move) {}
    std::optional<base::RunError> Move(const std::wstring& from, const std::wstring& to) override {
        if (move_(from, to)) return std::nullopt;
        return LastFailure();
    }

private:
    const FileMover& move_;
};

class NoJournal : public BatchJournal {
public:
    bool Begin(const std::vector<JournalEntry>&, std::wstring&) override { return true; }
    void End(size_t) noexcept override {}
};

// What a failed call of the system says, for a person: its own message and
// the program's name for it.
std::wstring FailureText(DWORD code, const std::wstring& path) {
    base::LocalMemory message;
    std::wstring text;
    if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(message.Receive()), 0, nullptr) &&
        message) {
        text = static_cast<const wchar_t*>(message.get());
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
            text.pop_back();
    }
    if (text.empty()) text = base::RunErrorFromWin32(code).description;
    return text + L" (" + path + L")";
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

bool WriteStateLine(HANDLE file, BatchState state, size_t renamedCount) {
    LARGE_INTEGER offset;
    offset.QuadPart = static_cast<LONGLONG>(StateLineOffset());
    return SetFilePointerEx(file, offset, nullptr, FILE_BEGIN) &&
           WriteAll(file, EncodeStateLine(state, renamedCount)) && FlushFileBuffers(file);
}

// The start of the batch and the process, in hexadecimal: names that sort by
// age and that no other batch has.
std::wstring BatchToken() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    wchar_t token[32];
    swprintf(token, std::size(token), L"%08lx%08lx-%lx", static_cast<unsigned long>(now.dwHighDateTime),
             static_cast<unsigned long>(now.dwLowDateTime),
             static_cast<unsigned long>(GetCurrentProcessId()));
    return token;
}

// Journals of batches that ended are no longer the last once another batch
// begins; journals of batches cut off stay for their recovery.
void RemoveSupersededJournals() {
    for (const std::wstring& path : StoredJournals()) {
        HeldJournal held(path);
        if (held.status() == HeldJournal::Status::Held && held.journal().state != BatchState::Running) {
            held = HeldJournal(std::wstring());  // closes it
            DeleteFileW(path.c_str());
        }
    }
}

// The journal of the batch this process runs, held open until it ends.
class JournalFile : public BatchJournal {
public:
    explicit JournalFile(const std::wstring& token)
        : path_(base::JoinPath(JournalFolder(), L"batch-" + token + L".journal")) {}

    bool Begin(const std::vector<JournalEntry>& entries, std::wstring& reason) override {
        const std::wstring folder = JournalFolder();
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            reason = FailureText(GetLastError(), folder);
            return false;
        }
        std::string bytes = EncodeJournal(Journal{BatchState::Running, 0, entries});
        if (entries.size() > kMaxJournalEntries || bytes.size() > kMaxJournalBytes) {
            reason = base::LoadText(base::Text::BatchTooLargeForJournal);  // it could not be read back
            return false;
        }
        RemoveSupersededJournals();
        file_.Reset(CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_) {
            reason = FailureText(GetLastError(), path_);
            return false;
        }
        if (!WriteAll(file_.get(), bytes) ||
            !FlushFileBuffers(file_.get())) {
            reason = FailureText(GetLastError(), path_);
            file_.Reset();
            DeleteFileW(path_.c_str());  // a journal that is not whole is no journal
            return false;
        }
        return true;
    }

    void End(size_t renamedCount) noexcept override {
        // Should the last write fail, the journal still says running and the
        // next rename window offers the batch as cut off, which it then reads
        // off the disk: nothing is lost.
        WriteStateLine(file_.get(), BatchState::Finished, renamedCount);
        file_.Reset();
    }

private:
    std::wstring path_;
    base::FileHandle file_;
};

}  // namespace

void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes, const JournalWarning& journalUnavailable) {
    const std::wstring token = BatchToken();
    JournalFile journal(token);
    RunBatch(plan, options, clearAttributes, L"~nomaro-" + token + L"-", RealDisk(), journal,
             journalUnavailable);
}

void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes, const FileMover& move) {
    MoverFileSystem files(move);
    NoJournal journal;
    RunBatch(plan, options, clearAttributes,
             L"~nomaro-" + std::to_wstring(GetCurrentProcessId()) + L"-", files, journal,
             [](const std::wstring&) {});
}

FileSystem& RealDisk() {
    static RealFileSystem disk;
    return disk;
}

std::wstring JournalFolder() {
    wchar_t folder[MAX_PATH * 2] = L"";
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, std::size(folder));
    if (length == 0 || length >= std::size(folder))
        SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return base::JoinPath(folder, L"Nomaro");
}

std::vector<std::wstring> StoredJournals() {
    const std::wstring folder = JournalFolder();
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    base::FindHandle search(FindFirstFileW(base::JoinPath(folder, kJournalPattern).c_str(), &found));
    if (search) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileW(search.get(), &found));
    }
    std::sort(names.begin(), names.end(), std::greater<>());
    for (std::wstring& name : names) name = base::JoinPath(folder, name);
    return names;
}

// ---- A stored journal ----------------------------------------------------------

HeldJournal::HeldJournal(const std::wstring& path) : path_(path) {
    if (path.empty()) return;
    file_.Reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) {
        const DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
            status_ = Status::Live;
        } else if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            status_ = Status::Missing;
        } else {
            status_ = Status::Refused;
            reason_ = FailureText(error, path);
        }
        return;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.get(), &size)) {
        status_ = Status::Refused;
        reason_ = FailureText(GetLastError(), path);
        return;
    }
    std::string bytes;
    if (static_cast<unsigned long long>(size.QuadPart) <= kMaxJournalBytes) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty() && (!ReadFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                               read != bytes.size())) {
            status_ = Status::Refused;
            reason_ = FailureText(GetLastError(), path);
            return;
        }
    } else {
        bytes.assign(kMaxJournalBytes + 1, '\0');  // refused unread as too large
    }
    JournalReading reading = DecodeJournal(bytes);
    fault_ = reading.fault;
    status_ = fault_ == JournalFault::None ? Status::Held : Status::Faulty;
    journal_ = std::move(reading.journal);
}

bool HeldJournal::SetState(BatchState state, size_t renamedCount) {
    if (!file_ || !WriteStateLine(file_.get(), state, renamedCount)) return false;
    journal_.state = state;
    journal_.renamedCount = renamedCount;
    return true;
}

std::wstring HeldJournal::SetAside() {
    file_.Reset();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring target =
            path_ + (attempt ? L"." + std::to_wstring(attempt) : std::wstring()) + L".damaged";
        if (MoveFileW(path_.c_str(), target.c_str())) return target;
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return std::wstring();
}

HeldJournal LastFinishedBatch() {
    for (const std::wstring& path : StoredJournals()) {
        HeldJournal held(path);
        if (held.status() == HeldJournal::Status::Held && held.journal().state == BatchState::Finished &&
            held.journal().renamedCount > 0)
            return held;
    }
    return HeldJournal(std::wstring());
}

}  // namespace naming
