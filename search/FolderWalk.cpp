#include "search/FolderWalk.h"

#include <deque>
#include <utility>

#include "base/Int16.h"
#include "base/RunError.h"

namespace search {
namespace {

std::wstring_view TrimBlanks(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// The folder trimmed and ended with exactly the one backslash it needs.
std::wstring FolderPrefix(const std::wstring& folder) {
    std::wstring prefix(TrimBlanks(folder));
    if (prefix.empty() || prefix.back() != L'\\') prefix += L'\\';
    return prefix;
}

// Sorts the entries of the folder being listed into the folder queue and the
// found files; appending at the end of the queue while work is taken from its
// front makes the walk breadth-first.
class EntryCollector final : public EntrySink {
public:
    EntryCollector(std::deque<std::wstring>& queue, std::vector<std::wstring>& files,
                   WalkProgress& progress)
        : queue_(queue), files_(files), progress_(progress) {}

    void StartFolder(std::wstring prefix) { prefix_ = std::move(prefix); }

    // Names are taken as the file system gives them: a blank at either end
    // is part of the name, and without it the line would name another file
    // (or none) and a folder's files would be lost.
    void Entry(std::wstring_view name, bool isFolder) override {
        if (!isFolder) {
            count_ = base::Add16(count_, 1);
            files_.push_back(prefix_ + std::wstring(name));
        } else if (!name.empty() && name.front() != L'.') {
            std::wstring folder = prefix_;
            folder.append(name);
            folder += L'\\';
            queue_.push_back(std::move(folder));
        }
        progress_.Pump();
    }

private:
    std::deque<std::wstring>& queue_;
    std::vector<std::wstring>& files_;
    WalkProgress& progress_;
    std::wstring prefix_;
    int16_t count_ = 0;
};

}  // namespace

std::vector<std::wstring> FindAllFiles(const std::wstring& chosenFolder, FolderLister& lister,
                                       WalkProgress& progress) {
    std::vector<std::wstring> files;
    std::deque<std::wstring> queue{chosenFolder};
    EntryCollector collector(queue, files, progress);
    while (!queue.empty()) {
        progress.FolderStarted(queue.front());
        const std::wstring prefix = FolderPrefix(queue.front());
        collector.StartFolder(prefix);
        lister.List(prefix, collector);
        queue.pop_front();
        progress.Pump();
    }
    return files;
}

std::wstring SendText(const std::vector<std::wstring>& files, const std::wstring& suffix,
                      WalkProgress& progress) {
    const int16_t count = base::ToInt16(static_cast<long long>(files.size()));
    if (count == 0) throw base::RunError(base::err::InvalidPropertyValue);
    size_t length = 0;
    for (const std::wstring& path : files) length += path.size() + suffix.size() + 1;
    std::wstring text;
    text.reserve(length);
    for (int16_t i = 0; i < count; ++i) {
        text += files[i];
        text += suffix;
        text += L'\n';
        progress.FileSent(i, count);
    }
    return text;
}

bool PumpThrottle::Due(uint32_t nowMs) {
    if (started_ && nowMs - lastMs_ < intervalMs_) return false;
    started_ = true;
    lastMs_ = nowMs;
    return true;
}

void SearchPacer::FolderStarted(const std::wstring& folder) {
    folder_ = folder;
    shown_ = false;
}

const std::wstring* SearchPacer::FolderToShow() {
    if (shown_) return nullptr;
    shown_ = true;
    return &folder_;
}

}  // namespace search
