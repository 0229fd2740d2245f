#include "hostlib/Properties.h"
#include "hostlib/LibraryError.h"

#include <gtest/gtest.h>

using qx::LibraryError;
using qx::Properties;
using qx::Property;

namespace {

QStringList namesOf(const Properties& list) {
    QStringList names;
    for (const Property& item : list) {
        names << item.Name();
    }
    return names;
}

QStringList valuesOf(const Properties& list) {
    QStringList values;
    for (const Property& item : list) {
        values << item.Value().toString();
    }
    return values;
}

Properties built(const QString& text, const QString& separator = QStringLiteral(":")) {
    Properties list;
    list.Build(text, 0, 0, separator);
    return list;
}

} // namespace

TEST(Properties, KeepsOrderAndFindsNamesInAnyCase) {
    Properties list;
    Property* first = list.Add("Alpha", 1);
    list.Add("beta", "two");
    list.Add("ALPHA", 3);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(namesOf(list), QStringList({"Alpha", "beta", "ALPHA"}));
    EXPECT_EQ(list.Item("alpha"), first);
    EXPECT_EQ(list.Item("BETA")->Value().toString(), "two");
    EXPECT_EQ(list.Item("gamma"), nullptr);
    EXPECT_EQ(list.Item(2)->Name(), "beta");
}

TEST(Properties, ReplaceUpdatesTheExistingItemInPlace) {
    Properties list;
    Property* kept = list.Add("Level1", "old");
    list.Add("Other", "x");
    Property* replaced = list.Add("LEVEL1", "new", true);
    EXPECT_EQ(replaced, kept);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(kept->Name(), "Level1");
    EXPECT_EQ(kept->Value().toString(), "new");
    Property* fresh = list.Add("Fresh", "y", true);
    EXPECT_EQ(fresh, list.Item(3));
}

TEST(Properties, PositionsOutOfRangeAreErrors) {
    Properties list;
    list.Add("a", QString());
    EXPECT_THROW(list.Item(0), LibraryError);
    EXPECT_THROW(list.Item(2), LibraryError);
    EXPECT_THROW(list.Remove(2), LibraryError);
    EXPECT_THROW(list.Remove(-1), LibraryError);
    EXPECT_EQ(list.Count(), 1);
}

TEST(Properties, RemoveAndClearKeepOtherItemsAtTheirAddresses) {
    Properties list;
    list.Add("a", 1);
    Property* b = list.Add("b", 2);
    Property* c = list.Add("c", 3);
    for (int i = 0; i < 100; ++i) {
        list.Add(QString::number(i), i);
    }
    list.Remove(1);
    EXPECT_EQ(list.Item(1), b);
    EXPECT_EQ(list.Item("c"), c);
    EXPECT_EQ(c->Value().toInt(), 3);
    list.Remove(list.Count());
    EXPECT_EQ(list.Item(list.Count())->Name(), "98");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.begin(), list.end());
}

TEST(Properties, SubPropertiesAreOwnedAndEmptyAtFirst) {
    Properties list;
    Property* item = list.Add("tag", QString());
    EXPECT_EQ(item->SubProperties().Count(), 0);
    item->SubProperties().Add("Name", QString())->SubProperties().Add("deep", "v");
    EXPECT_EQ(list.Item("TAG")->SubProperties().Item("name")->SubProperties().Item(1)->Value(), "v");
}

TEST(PropertiesBuild, OneItemPerPieceWithEmptyValues) {
    const Properties list = built("LANGUAGE:TIMEOUT::C:\\x");
    EXPECT_EQ(namesOf(list), QStringList({"LANGUAGE", "TIMEOUT", "", "C", "\\x"}));
    EXPECT_EQ(valuesOf(list), QStringList({"", "", "", "", ""}));
    EXPECT_EQ(built("").Count(), 0);
    EXPECT_EQ(built("one").Count(), 1);
    EXPECT_EQ(namesOf(built("a||b", "||")), QStringList({"a", "b"}));
    Properties list2;
    EXPECT_THROW(list2.Build("a", 0, 0, ""), LibraryError);
}

TEST(PropertiesBuild, AddsToWhatIsThere) {
    Properties list;
    list.Add("first", QString());
    list.Build("second:third", 0, 0, ":");
    EXPECT_EQ(namesOf(list), QStringList({"first", "second", "third"}));
}

TEST(PropertiesText, PlainNamesStayReadable) {
    Properties list;
    for (const char* name : {"SQL", "MAXROWS", "C\\Temp", "two words"}) {
        list.Add(name, QString());
    }
    EXPECT_EQ(list.ToText(), "SQL:MAXROWS:C\\Temp:two words");
    EXPECT_EQ(Properties().ToText(), "");
}

TEST(PropertiesText, HostileNamesAndValuesComeBackExactly) {
    Properties list;
    list.Add("Level1", "<QX:VBS>a = \"x:y\"\r\nb = c\\d\r\n</QX>");
    list.Add("", "value of an empty name");
    list.Add("na:me=with\\all\r\nof\rit", "");
    list.Add("ünïcödé €", "= : \\c \\e \\\\ \\");
    list.Add("\\*", "\n");
    list.Add("trailing", "\\");
    const Properties back = built(list.ToText());
    EXPECT_EQ(namesOf(back), namesOf(list));
    EXPECT_EQ(valuesOf(back), valuesOf(list));
}

TEST(PropertiesText, ListsThatPlainTextCannotHoldUseTheEscapedForm) {
    for (const QStringList& names : {QStringList{""}, QStringList{"a:b"}, QStringList{"\\*x", "y"},
                                     QStringList{"", ""}, QStringList{"x", ""}}) {
        Properties list;
        for (const QString& name : names) {
            list.Add(name, QString());
        }
        EXPECT_EQ(namesOf(built(list.ToText())), names) << list.ToText().toStdString();
    }
}

TEST(PropertiesText, UnknownEscapesAreKeptAsWritten) {
    const Properties list = built("\\*a\\qb=x\\");
    EXPECT_EQ(list.Item(1)->Name(), "a\\qb");
    EXPECT_EQ(list.Item(1)->Value().toString(), "x\\");
}

TEST(PropertiesSplitText, NamesPiecesByTheirFirstWordAndKeepsThemWhole) {
    Properties list;
    const QString tag = "<QX:DB-QUERY>Select:Name, Total\r\nFrom Sales</QX>";
    list.SplitText(tag, ":");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(1)->Name(), "QX");
    EXPECT_EQ(list.Item(2)->Name(), "DB-QUERY");
    EXPECT_EQ(list.Item(3)->Name(), "Name");
    EXPECT_EQ(valuesOf(list).join(":"), tag);

    Properties none;
    none.SplitText("", ":");
    EXPECT_EQ(none.Count(), 0);
    none.SplitText("<<>>", ":");
    EXPECT_EQ(none.Item(1)->Name(), "");
}
