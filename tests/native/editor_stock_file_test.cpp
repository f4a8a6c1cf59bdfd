// The category file: what the writer writes, what the reader takes from
// written and hand-made files, and the safe replacing of the old file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "editor/stock_file.h"
#include "platform/codepage.h"
#include "platform/files.h"

using namespace velkaro;

namespace {

EditorRecord Rec(const std::wstring& name) {
    EditorRecord r;
    r.Valid = 1;
    r.Location = name;
    return r;
}

Categories Parse(const std::string& bytes) {
    Categories c;
    ParseStockFile(bytes, &c);
    return c;
}

Categories Japan() {
    Categories c;
    ResetCategories(&c);
    AddCategory(&c, L"Japan", 0);
    EditorRecord r = Rec(L"Tokyo");
    r.Lat = 35.68;
    r.Lng = 139.75;
    r.UtcMargin = 9;
    r.Memo = L"capital";
    c.Stores[2].push_back(r);
    c.Current = 2;
    return c;
}

std::string TempPath(const char* name) {
    return std::string("/tmp/velkaro_stock_") + std::to_string(getpid()) + "_" + name;
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

TEST(StockFileWriter, WritesTheDocumentedLayout) {
    EXPECT_EQ(FormatStockFile(Japan()),
              "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Japan]\r\n1\tTokyo\t35.68\t139.75\t0\t0\t9.0\t\tcapital\r\n\r\n");
}

TEST(StockFileWriter, HeightsOffsetsFixedMarksAndNeverSearch) {
    Categories c = Japan();
    c.Fixed[2] = 1;
    EditorRecord r = Rec(L"Kathmandu");
    r.Lat = 27.7172;
    r.Lng = -85.324;
    r.Prominence = 120;
    r.Altitude = 350;
    r.UtcGet = 2;
    r.UtcMargin = 5.75;
    r.DST = L"03/S2 02;11/S1 02";
    r.Memo = L"tab\there";
    c.Stores[2].push_back(r);
    c.Stores[kSearchCategory].push_back(Rec(L"hit"));
    c.Current = kSearchCategory;
    const std::string out = FormatStockFile(c);
    EXPECT_EQ(out.substr(0, 4), "0\r\n\r");
    EXPECT_NE(out.find("[Japan]x\r\n"), std::string::npos);
    EXPECT_NE(out.find("1\tKathmandu\t27.72\t-85.32\t120/350\t2\t5.75\t03/S2 02;11/S1 02\ttab here\r\n"),
              std::string::npos);
    EXPECT_EQ(out.find("_SEARCH"), std::string::npos);
    // Line feeds would split the line; a carriage return comes back as it was.
    c.Stores[2][0].Location = L"two\nlines";
    c.Stores[2][0].Memo = L"cr\r";
    const Categories back = Parse(FormatStockFile(c));
    EXPECT_EQ(back.Stores[2][0].Location, L"two lines");
    EXPECT_EQ(back.Stores[2][0].Memo, L"cr\r");
    EXPECT_EQ(back.Stores[2].size(), 2u);
    EXPECT_EQ(out.find("hit"), std::string::npos);
}

TEST(StockFileRoundTrip, KeepsEverythingButRoundsAndExistDstFollowsTheRule) {
    Categories c = Japan();
    AddCategory(&c, L"Fixed one", 1);
    EditorRecord r = Rec(L"Peak");
    r.Lat = 35.6895;
    r.Lng = -0.1278;
    r.Prominence = 0;
    r.Altitude = 350;
    r.UtcGet = 3;
    r.UtcMargin = 12.75;
    r.ExistDST = 1;
    r.DST = L"10/S1 02;04/S1 03";
    r.Memo = L"note";
    c.Stores[3] = {Rec(L"first"), r};
    const Categories back = Parse(FormatStockFile(c));
    ASSERT_EQ(back.Names, c.Names);
    EXPECT_EQ(back.Fixed, (std::vector<int32_t>{1, 0, 0, 1}));
    EXPECT_EQ(back.Current, 2);
    ASSERT_EQ(back.Stores[3].size(), 2u);
    const EditorRecord& p = back.Stores[3][1];
    EXPECT_EQ(p.Number, 1);
    EXPECT_DOUBLE_EQ(p.Lat, 35.69);
    EXPECT_DOUBLE_EQ(p.Lng, -0.13);
    EXPECT_EQ(p.Prominence, 0);
    EXPECT_EQ(p.Altitude, 350);
    EXPECT_EQ(p.UtcGet, 3);
    EXPECT_DOUBLE_EQ(p.UtcMargin, 12.75);
    EXPECT_EQ(p.ExistDST, 1);  // not stored: a rule means daylight saving
    EXPECT_EQ(p.DST, r.DST);
    EXPECT_EQ(back.Stores[3][0].ExistDST, 0);
    EXPECT_EQ(p.Memo, L"note");
    EXPECT_EQ(back.Stores[2][0].Memo, L"capital");
    // And the written file reads and writes back byte for byte.
    EXPECT_EQ(FormatStockFile(back), FormatStockFile(c));
}

TEST(StockFileRoundTrip, TextsOutsideTheCodePageSwitchTheFileToUtf8) {
    Categories c = Japan();
    c.Stores[2][0].Location = L"東京";
    c.Stores[2][0].Memo = L"café";
    const std::string out = FormatStockFile(c);
    ASSERT_EQ(out.substr(0, 3), kUtf8Mark);
    EXPECT_NE(out.find("caf\xC3\xA9"), std::string::npos);  // the whole file is UTF-8
    const Categories back = Parse(out);
    EXPECT_EQ(back.Stores[2][0].Location, L"東京");
    EXPECT_EQ(back.Stores[2][0].Memo, L"café");
    EXPECT_EQ(back.Current, 2);
    // Code-page texts alone stay 8-bit.
    c.Stores[2][0].Location = L"Zürich";
    const std::string cp = FormatStockFile(c);
    EXPECT_NE(cp.find("Z\xFCrich"), std::string::npos);
    EXPECT_EQ(Parse(cp).Stores[2][0].Location, L"Zürich");
}

TEST(StockFileReader, HandMadeFileLoadsByteForByteAgain) {
    const std::string file =
        "3\r\n\r\n[_REG_BAK]x\r\n\r\n[Europe]\r\n1\tM\xFCnchen\t48.14\t11.58\t519\t0\t1.0\t03/Se 01;10/Se 01\t\x80 memo\r\n"
        "\r\n[Asia]x\r\n0\tDelhi\t28.61\t77.21\t216\t0\t5.5\t\t\r\n\r\n";
    const Categories c = Parse(file);
    EXPECT_EQ(c.Stores[2][0].Location, L"München");
    EXPECT_EQ(c.Stores[2][0].Memo, L"€ memo");
    EXPECT_EQ(FormatStockFile(c), file);
}

TEST(StockFileReader, DegreesMinutesSecondsAndRanges) {
    const Categories c = Parse(
        "[T]\n"
        "1\ta\t35:40:57\t-33:52:0\n"
        "1\tb\t-0:30:0\t10:30\n"
        "2\tc\t95\t-181\t40000\t4\t25\n"
        "1\td\t-90\t180\t30000\t3\t-24\n"
        "1\te\t12.5xyz\tabc\t/350\t1\t5.75\n"
        "1\tf\t1\t2\t120/350/7\n");
    const RecordList& s = c.Stores[2];
    ASSERT_EQ(s.size(), 6u);
    EXPECT_DOUBLE_EQ(s[0].Lat, 35.6825);
    EXPECT_NEAR(s[0].Lng, -33.866667, 1e-6);
    EXPECT_DOUBLE_EQ(s[1].Lat, -0.5);
    EXPECT_DOUBLE_EQ(s[1].Lng, 10.5);
    EXPECT_EQ(s[2].Valid, 0);
    EXPECT_EQ(s[2].Lat, 0);
    EXPECT_EQ(s[2].Lng, 0);
    EXPECT_EQ(s[2].Altitude, 0);
    EXPECT_EQ(s[2].UtcGet, 0);
    EXPECT_EQ(s[2].UtcMargin, 0);
    EXPECT_EQ(s[3].Lat, -90);
    EXPECT_EQ(s[3].Lng, 180);
    EXPECT_EQ(s[3].Prominence, 30000);
    EXPECT_EQ(s[3].UtcGet, 3);
    EXPECT_EQ(s[3].UtcMargin, -24);
    EXPECT_DOUBLE_EQ(s[4].Lat, 12.5);
    EXPECT_EQ(s[4].Lng, 0);
    EXPECT_EQ(s[4].Prominence, 350);
    EXPECT_EQ(s[4].Altitude, 0);
    EXPECT_DOUBLE_EQ(s[4].UtcMargin, 5.75);
    EXPECT_EQ(s[5].Prominence, 120);
    EXPECT_EQ(s[5].Altitude, 350);
    EXPECT_EQ(s[5].DST, L"");
}

TEST(StockFileReader, SectionsHeadersAndTheFirstLine) {
    // No index line: the file starts with a header.
    Categories c = Parse("[A]\n1\tx\n[B]x\tignored rest\n1\ty\n");
    EXPECT_EQ(c.Current, 0);
    EXPECT_EQ(c.Names, (std::vector<std::wstring>{L"_REG_BAK", L"_SEARCH", L"A", L"B"}));
    EXPECT_EQ(c.Fixed[3], 1);
    EXPECT_EQ(c.Stores[3][0].Location, L"y");
    // Records before any header go to _REG_BAK; _SEARCH loses its records;
    // a known name gathers records again; broken headers change nothing.
    c = Parse("1\t\n\n0\tbefore\n[_SEARCH]\n1\tlost\n[A]\n1\ta1\n[A\n1\ta2\n[]\n[]x\n[A]\n1\ta3\n");
    EXPECT_EQ(c.Current, 0);  // the index 1 reads as 0, the rest of its line skipped
    ASSERT_EQ(c.Stores[0].size(), 1u);
    EXPECT_EQ(c.Stores[0][0].Location, L"before");
    EXPECT_TRUE(c.Stores[1].empty());
    ASSERT_EQ(c.Stores[2].size(), 3u);
    EXPECT_EQ(c.Stores[2][2].Location, L"a3");
    EXPECT_EQ(c.Stores[2][2].Number, 2);
    EXPECT_EQ(CategoryCount(c), 3);
    // Short lines leave the rest zero; fields past the ninth are ignored.
    c = Parse("[A]\n1\tname\t12\n1\tn\t1\t2\t3\t1\t4\tr\tm\textra\tmore\n");
    EXPECT_EQ(c.Stores[2][0].Lng, 0);
    EXPECT_EQ(c.Stores[2][0].DST, L"");
    EXPECT_EQ(c.Stores[2][1].Memo, L"m");
    // A NUL byte is no part of a text, so the text reads as it will be written.
    c = Parse(std::string("[A]\n1\tTo\0kyo\n", 13));
    EXPECT_EQ(c.Stores[2][0].Location, L"Tokyo");
}

TEST(StockFileReader, LastLineWithoutLineFeedIsKeptWhole) {
    Categories c = Parse("[A]\n1\tTokyo\t35.68\t139.75\t0\t0\t9.0\t\tcapital");
    ASSERT_EQ(c.Stores[2].size(), 1u);
    EXPECT_EQ(c.Stores[2][0].Memo, L"capital");
    c = Parse("5\n[A]\n[B]x");
    EXPECT_EQ(CategoryCount(c), 4);
    EXPECT_EQ(c.Current, 5);
    EXPECT_EQ(Parse("7").Current, 7);
}

TEST(StockFileReader, LongLinesAndTooManySectionsAreCut) {
    std::string file = "[A]\n1\t" + std::string(5000, 'n') + "\t1\t2\n[" + std::string(3000, 'h') + "]\n1\tstill A\n";
    for (int i = 0; i < 150; ++i) file += "[S" + std::to_string(i) + "]\n1\tr" + std::to_string(i) + "\n";
    const Categories c = Parse(file);
    ASSERT_EQ(c.Stores[2].size(), 2u);
    EXPECT_EQ(c.Stores[2][0].Location, std::wstring(259, L'n'));
    EXPECT_DOUBLE_EQ(c.Stores[2][0].Lat, 1);
    EXPECT_EQ(c.Stores[2][1].Location, L"still A");
    EXPECT_EQ(CategoryCount(c), kCategoryCapacity);
    EXPECT_EQ(c.Names[99], L"S96");
    // The sections past the hundredth give their records to the last one kept.
    EXPECT_EQ(c.Stores[99].size(), 1u + 53u);
    EXPECT_EQ(c.Stores[99].back().Location, L"r149");
    // ... and the load tells how many sections that was, each name once.
    Categories again;
    EXPECT_EQ(ParseStockFile(file + "[S120]\n1\tagain\n", &again).RefusedSections, 53);
    EXPECT_EQ(ParseStockFile(FormatStockFile(c), &again).RefusedSections, 0);
}

TEST(StockFileReader, NumbersEndAtTheFirstByteThatCannotContinueThem) {
    // Code page 1252: "\xB0" is the degree sign, "\xB2" a superscript two.
    const Categories c = Parse("[A]\n1\tx\t12\xB0\t5\xB0""E\t0\t0\t9\xB2\n1\ty\t-3\xB0\t7.5\xB0\n");
    ASSERT_EQ(c.Stores[2].size(), 2u);
    EXPECT_EQ(c.Stores[2][0].Lat, 12);
    EXPECT_EQ(c.Stores[2][0].Lng, 5);
    EXPECT_EQ(c.Stores[2][0].UtcMargin, 9);
    EXPECT_EQ(c.Stores[2][1].Lat, -3);
    EXPECT_EQ(c.Stores[2][1].Lng, 7.5);
}

TEST(StockFileReader, AFirstLineThatIsARecordIsKept) {
    Categories c = Parse("1\tTokyo\t35.68\t139.75\t0\t0\t9.0\t\t\n[Japan]\n1\tOsaka\t34.69\n");
    EXPECT_EQ(c.Current, 0);
    ASSERT_EQ(c.Stores[0].size(), 1u);  // before any header: "_REG_BAK"
    EXPECT_EQ(c.Stores[0][0].Location, L"Tokyo");
    EXPECT_DOUBLE_EQ(c.Stores[0][0].Lng, 139.75);
    EXPECT_EQ(c.Stores[2][0].Location, L"Osaka");
    // The index line alone, or with a tab and nothing after it, is still the index.
    EXPECT_EQ(Parse("3\t\r\n[A]\n[B]\n[C]\n").Current, 3);
    EXPECT_EQ(Parse("3\r\n[A]\n[B]\n[C]\n").Current, 3);
}

TEST(StockFileReader, LineEndsOfEveryKindAndUtf16WithItsMark) {
    const std::string lf = "2\n\n[_REG_BAK]x\n\n[Europe]\n1\tM\xFCnchen\t48.14\t11.58\t519\t0\t1.0\t\tmemo\n\n";
    const std::string written = FormatStockFile(Parse(lf));
    std::string cr = lf, crlf;
    for (char& ch : cr)
        if (ch == '\n') ch = '\r';
    for (char ch : lf) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    EXPECT_EQ(FormatStockFile(Parse(cr)), written);
    EXPECT_EQ(FormatStockFile(Parse(crlf)), written);
    EXPECT_EQ(Parse(cr).Stores[2][0].Location, L"München");

    // UTF-16 in both byte orders, with a character outside the plane and one the code page lacks.
    const std::u16string text = u"2\r\n\r\n[Asia]\r\n1\t\u6771\u4EAC \U0001F5FC\t35.68\t139.75\t0\t0\t9.0\t\t\r\n";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t u : text) {
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
        be += static_cast<char>(u >> 8);
        be += static_cast<char>(u & 0xFF);
    }
    for (const std::string& bytes : {le, be}) {
        const Categories c = Parse(bytes);
        ASSERT_EQ(CategoryCount(c), 3);
        EXPECT_EQ(c.Names[2], L"Asia");
        ASSERT_EQ(c.Stores[2].size(), 1u);
        EXPECT_EQ(c.Stores[2][0].Location, L"\u6771\u4EAC \U0001F5FC");
        EXPECT_DOUBLE_EQ(c.Stores[2][0].Lng, 139.75);
        EXPECT_EQ(c.Current, 2);
    }
}

TEST(StockFileReader, OnlyACategoryFileIsTakenForOne) {
    Categories c;
    EXPECT_FALSE(ParseStockFile("[Settings]\r\nName=Value\r\nOther=2\r\n", &c).CategoryFile);
    EXPECT_FALSE(ParseStockFile("just some text\n", &c).CategoryFile);
    EXPECT_FALSE(ParseStockFile("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", &c).CategoryFile);
    // What the editor writes for an empty library is one, and so is an empty file.
    EXPECT_TRUE(ParseStockFile("0\r\n\r\n[_REG_BAK]x\r\n\r\n", &c).CategoryFile);
    EXPECT_TRUE(ParseStockFile("", &c).CategoryFile);
    // One place among foreign lines is enough: a hand-made file with notes.
    EXPECT_TRUE(ParseStockFile("[A]\nnote\n1\tTokyo\t35.68\n", &c).CategoryFile);
}

TEST(StockFileLoad, AFileThatIsThereButNotReadLeavesTheCategoriesAsTheyWere) {
    const std::string path = TempPath("kinds.ini");
    Categories c = Japan();
    int refused = -1;
    EXPECT_EQ(ReadStockFile(&c, Wide(path), &refused), kStockMissing);
    EXPECT_EQ(ReadStockFile(&c, Wide(path + ".d/none.ini")), kStockMissing);
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);  // there, but no file to read
    EXPECT_EQ(ReadStockFile(&c, Wide(path)), kStockUnreadable);
    rmdir(path.c_str());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("[Settings]\r\nName=Value\r\n", f);
    std::fclose(f);
    EXPECT_EQ(ReadStockFile(&c, Wide(path)), kStockNotCategories);
    EXPECT_EQ(FormatStockFile(c), FormatStockFile(Japan()));
    EXPECT_EQ(refused, -1);
    int error = 0;
    ASSERT_TRUE(SaveStockFile(Japan(), Wide(path), &error));
    c = Categories();
    EXPECT_EQ(ReadStockFile(&c, Wide(path), &refused), kStockRead);
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(c.Stores[2][0].Location, L"Tokyo");
    std::remove(path.c_str());
}

TEST(StockFileSave, ReplacesTheOldFileOnlyWhenTheNewOneIsWritten) {
    const std::string path = TempPath("Sitarel.ini");
    int error = 0;
    ASSERT_TRUE(SaveStockFile(Japan(), Wide(path), &error));
    Categories loaded;
    ResetCategories(&loaded);
    ASSERT_TRUE(LoadStockFile(&loaded, Wide(path)));
    EXPECT_EQ(loaded.Stores[2][0].Location, L"Tokyo");
    std::string before;
    ASSERT_TRUE(ReadFileBytes(Wide(path), &before));

    // A folder that does not exist: failure with an error number, nothing lost.
    EXPECT_FALSE(SaveStockFile(Japan(), Wide(path + ".d/none/Sitarel.ini"), &error));
    EXPECT_NE(error, 0);
    // The new file's place is taken by a folder: the old file stays as it was.
    const std::string blocked = path + ".new";
    ASSERT_EQ(mkdir(blocked.c_str(), 0700), 0);
    Categories other = Japan();
    other.Stores[2][0].Location = L"Osaka";
    EXPECT_FALSE(SaveStockFile(other, Wide(path), &error));
    std::string after;
    ASSERT_TRUE(ReadFileBytes(Wide(path), &after));
    EXPECT_EQ(after, before);
    rmdir(blocked.c_str());

    Categories untouched = Japan();
    EXPECT_FALSE(LoadStockFile(&untouched, Wide(path + ".missing")));
    EXPECT_EQ(untouched.Stores[2][0].Location, L"Tokyo");
    std::remove(path.c_str());
}

TEST(CodePageText, WesternCodePageAndUtf8) {
    bool fits = true;
    EXPECT_EQ(ToCodePage(L"€ é", &fits), "\x80 \xE9");
    EXPECT_TRUE(fits);
    EXPECT_EQ(ToCodePage(L"a東b", &fits), "a?b");
    EXPECT_FALSE(fits);
    EXPECT_EQ(FromCodePage("\x80\x9F\xFF"), L"€Ÿÿ");
    EXPECT_EQ(ToUtf8(L"é東"), "\xC3\xA9\xE6\x9D\xB1");
    EXPECT_EQ(FromUtf8("\xC3\xA9\xE6\x9D\xB1"), L"é東");
    EXPECT_EQ(FromUtf8("a\xC3"), L"a\xFFFD");        // cut in the middle of a character
    EXPECT_EQ(FromUtf8("\xC0\xAF" "b"), L"\xFFFD\xFFFD" L"b");  // overlong form
    EXPECT_EQ(FromUtf8(ToUtf8(L"\U0001F600")), L"\U0001F600");
}
