// Reads the string table source (resources/strings.rc) without the resource
// compiler, so tests can hold the compiled texts and the named ids against it.
#pragma once
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace testing_support {

struct StringTableSource {
    // Texts by language ("LANG_ENGLISH") and id, as UTF-8 with the quotes removed.
    std::map<std::string, std::map<int, std::string>> texts;
    // Ids given twice in one block and lines inside a block that are no "id, text".
    std::vector<std::string> faults;
};

inline StringTableSource ReadStringTable(const std::string& path) {
    StringTableSource table;
    std::ifstream in(path);
    if (!in) table.faults.push_back("cannot read " + path);
    static const std::regex language(R"(^\s*LANGUAGE\s+(\w+)\s*,)");
    static const std::regex entry(R"re(^\s*(\d+)\s*,\s*"(.*)"\s*$)re");
    std::string current, line;
    bool inBlock = false;
    std::smatch match;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (std::regex_search(line, match, language)) {
            current = match[1];
        } else if (line == "BEGIN") {
            inBlock = true;
        } else if (line == "END") {
            inBlock = false;
        } else if (inBlock && std::regex_match(line, match, entry)) {
            if (!table.texts[current].emplace(std::stoi(match[1]), match[2]).second)
                table.faults.push_back("id given twice in line " + std::to_string(number));
        } else if (inBlock && line.find_first_not_of(" \t") != std::string::npos) {
            table.faults.push_back("unreadable line " + std::to_string(number));
        }
    }
    return table;
}

}  // namespace testing_support
