#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"

#include "support/LogCapture.h"
#include "support/TempSettings.h"

#include <gtest/gtest.h>

#include <utility>

using qx::LibraryError;

namespace {

qx::Library& lib() {
    return qx::Library::instance();
}

TEST(Library, FoldersFollowTheEnvironmentOrTheDefaultsAndFileExistsTakesFilesOnly) {
    const qx::test::TempSettings settings;
    qputenv("QXTE_USER_DATA_DIR", "/tmp/user-data//");
    qputenv("QXTE_COMMON_DIR", "/");
    EXPECT_EQ(lib().SpecialFolderPath(26, 0), "/tmp/user-data");
    EXPECT_EQ(lib().SpecialFolderPath(43, 0), "/");
    EXPECT_THROW(lib().SpecialFolderPath(5, 0), LibraryError);
    qputenv("QXTE_USER_DATA_DIR", "");
    EXPECT_FALSE(lib().SpecialFolderPath(26).isEmpty());
    EXPECT_TRUE(lib().FileExists(QX_DATA_DIR "\\reference\\sample-reference.json"));
    EXPECT_FALSE(lib().FileExists(QX_DATA_DIR "/reference"));
}

TEST(Library, InStrFunctionsGiveOneBasedPositionsAndCounts) {
    const QString set = " ><:=\"'";
    EXPECT_EQ(lib().InStrMultiple("DB QUERY", set, 0), 3);
    EXPECT_EQ(lib().InStrMultiple(">x", set), 1);
    EXPECT_EQ(lib().InStrMultiple("a>b>c", ">", 3), 4);
    EXPECT_EQ(lib().InStrMultiple("a>b", ">", 9), 0);
    EXPECT_THROW(lib().InStrMultiple("abc", "b", -1), LibraryError);
    for (const auto& [start, found] : {std::pair{1, 5}, {5, 5}, {6, 10}, {11, 0}})
        EXPECT_EQ(lib().InStrMultipleFrom(start, "=~64\"QUJD\"", "\""), found) << start;

    const QString text = "<QX:a><qx:b></QX><QX:c>";
    EXPECT_EQ(lib().InStrCount(1, text, "<QX:", 0), 2);
    EXPECT_EQ(lib().InStrCount(1, text, "<QX:", 1), 3);
    EXPECT_EQ(lib().InStrCount(2, text, "<QX:", 0), 1);
    EXPECT_EQ(lib().InStrCount(1, "aaaa", "aa", 0), 2);
    EXPECT_EQ(lib().InStrCount(1, "abc", "", 0), 0);
}

TEST(Library, ValReadsTheLeadingNumber) {
    // The last case is an Arabic-Indic digit, which is no number here.
    const std::pair<const char*, double> cases[] = {
        {"0", 0},       {"12abc", 12},     {"abc", 0},   {"", 0},        {"  \t42", 42},
        {"1 2 3", 123}, {"-3.5e2x", -350}, {"+.5", 0.5}, {"7e", 7},      {"1.2.3", 1.2},
        {"&H1F", 31},   {"&o108", 8},      {"&Hxyz", 0}, {"1e-2", 0.01}, {"1d2", 100},
        {"&Hff", 255},  {"true", 0},       {"1e999", 0}, {"-", 0},       {"\xd9\xa3", 0}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(lib().Val(QString::fromUtf8(text)), number) << text;
    EXPECT_EQ(lib().Val(17), 17);
}

// Text travels as UTF-8 (the fuzz replays check the round trips and the reading of other bytes).
TEST(Library, Base64CarriesUtf8AndDecodingIsStrict) {
    EXPECT_EQ(lib().Base64Encode("é"), "w6k=");
    EXPECT_EQ(lib().Base64Decode("QU\r\nJD"), "ABC");
    // "Ń" is U+0144: its low byte would read as the Base64 digit "D".
    for (const char* bad : {"QUJD!", "QU=D", "QUJ", "QUJD====", "QUJ\xc5\x84", "-_-_"})
        EXPECT_THROW(lib().Base64Decode(QString::fromUtf8(bad)), LibraryError) << bad;
    // UTF-8 cannot carry a lone surrogate: it is stored as U+FFFD, and the text is logged once.
    const qx::test::LogCapture log;
    const QString lone = QString(QChar(0xD800)) + "😀a" + QChar(0xDC00);
    EXPECT_EQ(lib().Base64Decode(lib().Base64Encode(lone)), "\uFFFD😀a\uFFFD");
    EXPECT_EQ(log.warnings().size(), 1);
}

} // namespace
