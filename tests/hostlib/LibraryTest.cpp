#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
#include "hostlib/TextEncoding.h"

#include "support/LogCapture.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <utility>

using qx::LibraryError;

namespace {

qx::Library& lib() {
    return qx::Library::instance();
}

TEST(Library, FoldersFollowTheEnvironmentOrTheDefaultsAndFileExistsTakesFilesOnly) {
    const qx::test::TempSettings settings;
    qputenv("QXTE_USER_DATA_DIR", "/tmp/user-data/");
    qputenv("QXTE_COMMON_DIR", "/opt/common//");
    EXPECT_EQ(lib().SpecialFolderPath(26, 0), "/tmp/user-data");
    EXPECT_EQ(lib().SpecialFolderPath(43, 0), "/opt/common");
    EXPECT_THROW(lib().SpecialFolderPath(5, 0), LibraryError);
    qputenv("QXTE_USER_DATA_DIR", "");
    qputenv("QXTE_COMMON_DIR", "");
    EXPECT_FALSE(lib().SpecialFolderPath(26).isEmpty());
    EXPECT_EQ(lib().SpecialFolderPath(43), "/usr/local/share");

    QDir(settings.path()).mkpath("Kelvane/TagHandler");
    QFile file(settings.path() + "/Kelvane/TagHandler/rs.tag");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(lib().FileExists(settings.path() + "\\Kelvane\\TagHandler\\rs.tag"));
    EXPECT_FALSE(lib().FileExists(settings.path() + "/Kelvane"));
    EXPECT_FALSE(lib().FileExists(settings.path() + "/none.tag"));
    EXPECT_FALSE(lib().FileExists(""));
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
        {"&H1F", 31},   {"&o17", 15},      {"&Hxyz", 0}, {"1e-2", 0.01}, {"1d2", 100},
        {"&Hff", 255},  {"true", 0},       {"1e999", 0}, {"-", 0},       {"\xd9\xa3", 0}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(lib().Val(QString::fromUtf8(text)), number) << text;
    EXPECT_EQ(lib().Val(QVariant()), 0);
    EXPECT_EQ(lib().Val(17), 17);
}

TEST(Library, Base64RoundTripsAnyTextAsUtf8) {
    const QString bom(QChar(0xFEFF));
    for (const QString& text :
         {QString("<QX:VBS>\r\nx = \"ünïcödé €漢字\"\r\n</QX>\xef\xbb\xbf"), bom + "x", QString()})
        EXPECT_EQ(lib().Base64Decode(lib().Base64Encode(text)), text);
    EXPECT_EQ(lib().Base64Encode("é"), "w6k=");
    // UTF-8 cannot carry a lone surrogate: it is stored as U+FFFD, and the text is logged once.
    const qx::test::LogCapture log;
    const QString lone = QString(QChar(0xD800)) + "😀a" + QChar(0xDC00);
    EXPECT_EQ(lib().Base64Decode(lib().Base64Encode(lone)), "\uFFFD😀a\uFFFD");
    EXPECT_EQ(log.warnings().size(), 1);
}

TEST(Library, Base64DecodingIsStrict) {
    for (const char* bad :
         {"QUJD!", "QU=D", "Q", "QUJ", "QUJDRA", "QUJ=D", "QUJD====", "Q\xc3\xa9JD", "-_-_"})
        EXPECT_THROW(lib().Base64Decode(QString::fromUtf8(bad)), LibraryError) << bad;
    EXPECT_EQ(lib().Base64Decode("QU\r\nJD"), "ABC");
}

TEST(Library, Base64BytesThatAreNotUtf8AreReadAsWindows1252) {
    // "Café – 80 €" in Windows-1252; a value that is ASCII but for a last byte that leads UTF-8 keeps it.
    for (const auto& [base64, text] : {std::pair<QString, QString>{"Q2Fm6SCWIDgwIIA=", "Café – 80 €"},
                                       {"6Q==", "\u00e9"},
                                       {"QcI=", "A\u00c2"},
                                       {"QfQ=", "A\u00f4"},
                                       {"QeKA", "A\u00e2\u20ac"}})
        EXPECT_EQ(lib().Base64Decode(base64), text) << base64.toStdString();
    EXPECT_EQ(qx::fromWindows1252("\x81\x8d\x8f\x90\x9d"),
              QString::fromUtf16(u"\u0081\u008d\u008f\u0090\u009d"));
}

} // namespace
