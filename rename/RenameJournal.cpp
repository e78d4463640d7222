#include "rename/RenameJournal.h"

#include <algorithm>
#include <optional>

#include "base/TextEncoding.h"

namespace naming {

namespace {

const std::wstring_view kHeader = L"Nomaro rename journal\t";
const std::wstring_view kLineEnd = L"\r\n";
const std::string_view kByteOrderMark = "\xFF\xFE";
const size_t kCountDigits = 10;

const wchar_t* StateWord(BatchState state) {  // all three as wide as the widest
    switch (state) {
    case BatchState::Running: return L"running ";
    case BatchState::Finished: return L"finished";
    case BatchState::Undone: return L"undone  ";
    }
    return L"running ";
}

std::wstring HeaderLine() {
    return std::wstring(kHeader) + std::to_wstring(kJournalVersion) + std::wstring(kLineEnd);
}

std::wstring StateLine(BatchState state, size_t renamedCount) {
    std::wstring count = std::to_wstring(renamedCount);
    count.insert(0, kCountDigits - std::min(kCountDigits, count.size()), L'0');
    return L"state\t" + std::wstring(StateWord(state)) + L"\t" + count + std::wstring(kLineEnd);
}

// A whole number of ASCII digits, at most nine of them; nothing else.
std::optional<size_t> ParseCount(std::wstring_view text, size_t maxDigits = 9) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    size_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<size_t>(c - L'0');
    }
    return value;
}

std::vector<std::wstring_view> Fields(std::wstring_view line) {
    std::vector<std::wstring_view> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab == std::wstring_view::npos ? tab : tab - start));
        if (tab == std::wstring_view::npos) return fields;
        start = tab + 1;
    }
}

bool HasControlCharacter(std::wstring_view text) {
    for (wchar_t c : text)
        if (c < 32) return true;
    return false;
}

// A name inside one folder: no path of its own, so an entry can never move
// a file out of its folder.
bool IsPlainName(std::wstring_view name) {
    return !name.empty() && name != L"." && name != L".." && !HasControlCharacter(name) &&
           name.find_first_of(L"\\/:") == std::wstring_view::npos;
}

std::optional<JournalEntry> ParseEntry(std::wstring_view line) {
    const auto fields = Fields(line);
    if (fields.size() != 4 || fields[0].empty() || HasControlCharacter(fields[0])) return std::nullopt;
    if (!IsPlainName(fields[1]) || !IsPlainName(fields[2])) return std::nullopt;
    if (!fields[3].empty() && !IsPlainName(fields[3])) return std::nullopt;
    return JournalEntry{std::wstring(fields[0]), std::wstring(fields[1]), std::wstring(fields[2]),
                        std::wstring(fields[3])};
}

std::optional<BatchState> ParseState(std::wstring_view word) {
    for (BatchState state : {BatchState::Running, BatchState::Finished, BatchState::Undone})
        if (word == StateWord(state)) return state;
    return std::nullopt;
}

// Hands out the text's lines one by one; a last line without its line end
// is no line: the file was cut off there.
class LineReader {
public:
    explicit LineReader(std::wstring_view text) : text_(text) {}
    std::optional<std::wstring_view> Next() {
        const size_t end = text_.find(kLineEnd, position_);
        if (end == std::wstring_view::npos) return std::nullopt;
        std::wstring_view line = text_.substr(position_, end - position_);
        position_ = end + kLineEnd.size();
        return line;
    }
    bool AtEnd() const { return position_ == text_.size(); }

private:
    std::wstring_view text_;
    size_t position_ = 0;
};

JournalReading Fault(JournalFault fault) { return JournalReading{fault, {}}; }

}  // namespace

std::string EncodeJournal(const Journal& journal) {
    std::wstring text = HeaderLine() + StateLine(journal.state, journal.renamedCount) + L"entries\t" +
                        std::to_wstring(journal.entries.size()) + std::wstring(kLineEnd);
    for (const JournalEntry& entry : journal.entries) {
        text += entry.folder + L"\t" + entry.oldName + L"\t" + entry.newName + L"\t" +
                entry.temporaryName;
        text += kLineEnd;
    }
    text += L"end";
    text += kLineEnd;
    return std::string(kByteOrderMark) + base::ToUtf16LittleEndian(text);
}

size_t StateLineOffset() { return kByteOrderMark.size() + 2 * HeaderLine().size(); }

std::string EncodeStateLine(BatchState state, size_t renamedCount) {
    return base::ToUtf16LittleEndian(StateLine(state, renamedCount));
}

JournalReading DecodeJournal(std::string_view bytes) {
    if (bytes.empty()) return Fault(JournalFault::Empty);
    if (bytes.size() > kMaxJournalBytes) return Fault(JournalFault::TooLarge);
    if (!bytes.starts_with(kByteOrderMark)) return Fault(JournalFault::NotAJournal);
    const std::wstring text = base::FromUtf16(bytes.substr(kByteOrderMark.size()), false);
    LineReader lines(text);

    const auto header = lines.Next();
    if (!header) {
        const bool headerBegun = text.starts_with(kHeader) || kHeader.starts_with(text);
        return Fault(headerBegun ? JournalFault::CutOff : JournalFault::NotAJournal);
    }
    if (!header->starts_with(kHeader)) return Fault(JournalFault::NotAJournal);
    const auto version = ParseCount(header->substr(kHeader.size()));
    if (!version) return Fault(JournalFault::Damaged);
    if (*version > static_cast<size_t>(kJournalVersion)) return Fault(JournalFault::NewerVersion);
    if (*version != static_cast<size_t>(kJournalVersion)) return Fault(JournalFault::Damaged);

    JournalReading reading;
    const auto stateLine = lines.Next();
    if (!stateLine) return Fault(JournalFault::CutOff);
    const auto stateFields = Fields(*stateLine);
    const auto state = stateFields.size() == 3 && stateFields[0] == L"state" ? ParseState(stateFields[1])
                                                                               : std::nullopt;
    const auto renamed = stateFields.size() == 3 && stateFields[2].size() == kCountDigits
                             ? ParseCount(stateFields[2], kCountDigits)
                             : std::nullopt;
    if (!state || !renamed) return Fault(JournalFault::Damaged);

    const auto countLine = lines.Next();
    if (!countLine) return Fault(JournalFault::CutOff);
    const auto countFields = Fields(*countLine);
    const auto count = countFields.size() == 2 && countFields[0] == L"entries" ? ParseCount(countFields[1])
                                                                                : std::nullopt;
    if (!count || *count > kMaxJournalEntries || *renamed > *count) return Fault(JournalFault::Damaged);

    reading.journal.state = *state;
    reading.journal.renamedCount = *renamed;
    reading.journal.entries.reserve(*count);
    for (size_t i = 0; i < *count; ++i) {
        const auto line = lines.Next();
        if (!line) return Fault(JournalFault::CutOff);
        auto entry = ParseEntry(*line);
        if (!entry) return Fault(JournalFault::Damaged);
        reading.journal.entries.push_back(std::move(*entry));
    }
    const auto endLine = lines.Next();
    if (!endLine) return Fault(JournalFault::CutOff);
    if (*endLine != L"end" || !lines.AtEnd()) return Fault(JournalFault::Damaged);
    return reading;
}

}  // namespace naming
