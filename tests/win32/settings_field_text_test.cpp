// Field cutting where wide characters are UTF-16 units, as on the device.
#include <gtest/gtest.h>

#include "editor/record.h"
#include "settings/field_text.h"

using namespace velkaro;

TEST(FieldText, CutNeverSplitsASurrogatePair) {
    const std::wstring smile = L"\xD83D\xDE00";
    // Width 4 holds three units: "ab" and the pair's first half would fit.
    EXPECT_EQ(CutToField(L"ab" + smile + L"c", 4), L"ab");
    EXPECT_EQ(CutToField(L"a" + smile + L"c", 4), L"a" + smile);
    EXPECT_EQ(CutToField(L"abc", 4), L"abc");
    // The editor's record fields cut the same way.
    EXPECT_EQ(CutToField(std::wstring(258, L'x') + smile), std::wstring(258, L'x'));
}
