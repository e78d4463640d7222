#include "ui/RichTextPieces.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <optional>

namespace ui {

namespace {

// The letters of a control word (lowercase only).
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsBlank(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\0'; }

struct Token {
    enum Kind { Character, Open, Close, Word, Symbol, Ignored } kind;
    size_t start, end;       // bytes of the token, a word's delimiting blank included
    std::string_view name;   // a word's letters, or a symbol's character
    std::string_view text;   // a word with its parameter, without the blank
    long parameter = 1;      // a word's parameter (1 when it has none)
    bool delimited = false;  // a word ended by a blank of its own
};

// Reads the tokens of a document; nullopt at its end or at malformed input.
class Tokens {
public:
    explicit Tokens(std::string_view rtf) : rtf_(rtf) {}

    std::optional<Token> Next() {
        if (at_ >= rtf_.size()) return std::nullopt;
        const size_t start = at_;
        const char c = rtf_[at_++];
        if (c == '{') return Token{Token::Open, start, at_, {}, {}};
        if (c == '}') return Token{Token::Close, start, at_, {}, {}};
        if (c == '\r' || c == '\n') return Token{Token::Ignored, start, at_, {}, {}};
        if (c != '\\') return Token{Token::Character, start, at_, {}, {}};
        if (at_ >= rtf_.size()) return std::nullopt;
        if (rtf_[at_] == '\'') {
            // \'hh: one character in the document's code page.
            if (at_ + 2 >= rtf_.size() || !IsHexDigit(rtf_[at_ + 1]) || !IsHexDigit(rtf_[at_ + 2])) return std::nullopt;
            at_ += 3;
            return Token{Token::Character, start, at_, {}, {}};
        }
        if (!IsLetter(rtf_[at_])) {
            ++at_;
            return Token{Token::Symbol, start, at_, rtf_.substr(start + 1, 1), {}};
        }
        const size_t nameStart = at_;
        while (at_ < rtf_.size() && IsLetter(rtf_[at_])) ++at_;
        Token word{Token::Word, start, at_, rtf_.substr(nameStart, at_ - nameStart), {}};
        const size_t parameterStart = at_;
        if (at_ < rtf_.size() && rtf_[at_] == '-') ++at_;
        while (at_ < rtf_.size() && IsDigit(rtf_[at_])) ++at_;
        if (at_ > parameterStart) {
            const std::string digits(rtf_.substr(parameterStart, at_ - parameterStart));
            if (digits == "-") return std::nullopt;
            word.parameter = std::strtol(digits.c_str(), nullptr, 10);
        }
        word.text = rtf_.substr(start, at_ - start);
        if (at_ < rtf_.size() && rtf_[at_] == ' ') {
            ++at_;
            word.delimited = true;
        }
        word.end = at_;
        return word;
    }

private:
    std::string_view rtf_;
    size_t at_ = 0;
};

template <size_t N>
bool OneOf(std::string_view name, const std::string_view (&names)[N]) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// Words of the document level that stand for characters.
constexpr std::string_view kCharacterWords[] = {
    "line",   "tab",    "emdash", "endash",    "emspace",   "enspace", "qmspace", "bullet",  "lquote",
    "rquote", "ldblquote", "rdblquote", "zwj", "zwnj", "ltrmark", "rtlmark", "u"};

// Words of the document level that set how the characters and paragraphs
// that follow look, each to a value of its own (none depends on the settings
// before it), so that the last of each name decides.
constexpr std::string_view kSettingWords[] = {
    "pard",   "plain",   "ql",      "qr",         "qc",     "qj",      "li",      "ri",     "fi",     "sb",
    "sa",     "sl",      "slmult",  "ltrpar",     "rtlpar", "keep",    "keepn",   "widctlpar", "nowidctlpar",
    "b",      "i",       "ul",      "ulnone",     "uld",    "uldb",    "ulw",     "ulwave", "strike", "striked",
    "f",      "fs",      "cf",      "cb",         "highlight", "lang", "langfe",  "langnp", "langfenp",
    "super",  "sub",     "nosupersub", "up",      "dn",     "v",       "caps",    "scaps",  "outl",   "shad",
    "embo",   "impr",    "expnd",   "expndtw",    "kerning", "charscalex", "ltrch", "rtlch"};

// Words of the whole document, allowed in the header only.
constexpr std::string_view kDocumentWords[] = {"rtf",     "ansi",      "ansicpg",  "deff",
                                               "deflang", "deflangfe", "viewkind", "deftab"};

// Groups that may stand before the first character as part of the header.
constexpr std::string_view kHeaderGroups[] = {"fonttbl",  "colortbl",  "stylesheet",
                                                           "info",     "listtable", "listoverridetable"};

// Characters written as symbols: \\ \{ \} and the special blank and hyphens.
bool CharacterSymbol(std::string_view name) { return name.size() == 1 && std::string_view("\\{}~-_").find(name[0]) != std::string_view::npos; }

// The settings in force, the last word of each name, in the order of those last words.
class Settings {
public:
    void Set(std::string_view name, std::string_view text) {
        words_.erase(std::remove_if(words_.begin(), words_.end(), [&](const auto& w) { return w.first == name; }),
                     words_.end());
        words_.emplace_back(name, text);
    }
    std::string Text() const {
        std::string text;
        for (const auto& word : words_) text += word.second;
        return text;
    }

private:
    std::vector<std::pair<std::string_view, std::string_view>> words_;
};

struct Cut {
    size_t at;             // where the piece starts in the document
    std::string settings;  // the document-level settings in force there
};

// The places to cut `rtf` at, or nullopt when it cannot be cut safely.
struct Plan {
    size_t headerEnd = 0;
    bool headerNeedsBlank = false;  // ends in a word that the next text would run into
    std::vector<Cut> cuts;
};

std::optional<Plan> PlanCuts(std::string_view rtf, int paragraphsPerPiece) {
    if (rtf.substr(0, 5) != "{\\rtf") return std::nullopt;
    Tokens tokens(rtf);
    Plan plan;
    Settings settings;
    std::optional<Cut> pending;  // a cut made once a character follows it
    bool inHeader = true, headerGroup = false, lastWasBareWord = false;
    int depth = 0, paragraphs = 0;
    long unicodeSkip = 1, skipping = 0;  // \uc: characters standing in for each \u
    while (const std::optional<Token> token = tokens.Next()) {
        if (token->kind == Token::Ignored) continue;
        if (token->kind == Token::Word && token->name == "bin") return std::nullopt;
        if (token->kind == Token::Open || token->kind == Token::Close) skipping = 0;
        if (token->kind == Token::Open) {
            if (++depth == 2) {
                Tokens ahead = tokens;
                std::optional<Token> first = ahead.Next();
                headerGroup = inHeader && first && (first->name == "*" || OneOf(first->name, kHeaderGroups));
                if (inHeader && !headerGroup) {
                    inHeader = false;
                    plan.headerEnd = token->start;
                    plan.headerNeedsBlank = lastWasBareWord;
                }
            }
            continue;
        }
        if (token->kind == Token::Close) {
            lastWasBareWord = false;
            if (--depth > 0) continue;
            if (inHeader || plan.cuts.empty()) return std::nullopt;
            const std::string_view rest = rtf.substr(token->end);
            if (!std::all_of(rest.begin(), rest.end(), IsBlank)) return std::nullopt;
            return plan;
        }
        const bool afterBareWord = lastWasBareWord;
        lastWasBareWord = token->kind == Token::Word && !token->delimited;
        if (depth > 1) {
            // Inside a group: a paragraph end there cannot be cut at.
            if (!headerGroup && token->kind == Token::Word && token->name == "par") return std::nullopt;
            continue;
        }
        if (depth < 1) return std::nullopt;  // the opening "{\rtf" is depth 1
        if (skipping > 0) {
            --skipping;  // a character standing in for the \u before
            continue;
        }
        const bool paragraphEnd = token->kind == Token::Word && token->name == "par";
        const bool character = token->kind == Token::Character || paragraphEnd ||
                               (token->kind == Token::Word && OneOf(token->name, kCharacterWords)) ||
                               (token->kind == Token::Symbol && CharacterSymbol(token->name));
        if (!character) {
            if (token->kind != Token::Word) return std::nullopt;
            const bool documentSetting = inHeader && OneOf(token->name, kDocumentWords);
            if (token->name == "uc") unicodeSkip = token->parameter;
            else if (!documentSetting && !OneOf(token->name, kSettingWords)) return std::nullopt;
            if (!inHeader) settings.Set(token->name, token->text);
            continue;
        }
        if (inHeader) {
            inHeader = false;
            plan.headerEnd = token->start;
            plan.headerNeedsBlank = afterBareWord;
        }
        if (pending) {
            plan.cuts.push_back(*pending);
            pending.reset();
        }
        if (token->kind == Token::Word && token->name == "u") skipping = unicodeSkip;
        if (paragraphEnd && ++paragraphs % paragraphsPerPiece == 0) pending = Cut{token->end, settings.Text()};
    }
    return std::nullopt;  // malformed, or the document never closes
}

}  // namespace

std::vector<std::string> RichTextPieces(std::string_view rtf, int paragraphsPerPiece) {
    if (paragraphsPerPiece < 1) return {};
    const std::optional<Plan> plan = PlanCuts(rtf, paragraphsPerPiece);
    if (!plan) return {};
    const std::string header(rtf.substr(0, plan->headerEnd));
    std::vector<std::string> pieces;
    pieces.push_back(std::string(rtf.substr(0, plan->cuts.front().at)) + "}");
    for (size_t i = 0; i < plan->cuts.size(); ++i) {
        const Cut& cut = plan->cuts[i];
        std::string piece = header + cut.settings;
        if (!cut.settings.empty() || plan->headerNeedsBlank) piece += ' ';
        if (i + 1 < plan->cuts.size()) piece.append(rtf.substr(cut.at, plan->cuts[i + 1].at - cut.at)) += '}';
        else piece.append(rtf.substr(cut.at));
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

}  // namespace ui
