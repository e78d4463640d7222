// The string table source against the named ids: every language holds
// exactly the texts that have a name, and none of them is empty.
#include <gtest/gtest.h>

#include "base/TextId.h"
#include "tests/string_table.h"

TEST(StringTable, EveryLanguageHoldsExactlyTheNamedIds) {
    const testing_support::StringTableSource table = testing_support::ReadStringTable(NOMARO_STRINGS_RC);
    EXPECT_EQ(table.faults, std::vector<std::string>{});
    const std::vector<int> named(std::begin(base::kAllTextIds), std::end(base::kAllTextIds));
    ASSERT_EQ(table.texts.size(), 3u);
    for (const char* language : {"LANG_ENGLISH", "LANG_GERMAN", "LANG_SWEDISH"}) {
        SCOPED_TRACE(language);
        ASSERT_EQ(table.texts.count(language), 1u);
        std::vector<int> ids;
        for (const auto& [id, text] : table.texts.at(language)) {
            ids.push_back(id);
            EXPECT_FALSE(text.empty()) << id;
        }
        EXPECT_EQ(ids, named);
    }
}
