#include "hostlib/Properties.h"
#include "hostlib/LibraryError.h"

#include <gtest/gtest.h>

using qx::LibraryError;
using qx::Properties;
using qx::Property;

namespace {

QStringList namesOf(const Properties& list) {
    QStringList names;
    for (const Property& item : list)
        names << item.Name();
    return names;
}

QStringList valuesOf(const Properties& list) {
    QStringList values;
    for (const Property& item : list)
        values << item.Value().toString();
    return values;
}

Properties built(const QString& text, const QString& separator = QStringLiteral(":")) {
    Properties list;
    list.Build(text, 0, 0, separator);
    return list;
}

Properties named(const QStringList& names) {
    Properties list;
    for (const QString& name : names)
        list.Add(name, QString());
    return list;
}

} // namespace

TEST(Properties, KeepsOrderFindsNamesInAnyCaseAndReplacesInPlace) {
    Properties list;
    Property* first = list.Add("Alpha", 1);
    list.Add("beta", "two");
    list.Add("ALPHA", 3);
    EXPECT_EQ(namesOf(list), QStringList({"Alpha", "beta", "ALPHA"}));
    EXPECT_EQ(list.Item("alpha"), first);
    EXPECT_EQ(list.Item("BETA")->Value().toString(), "two");
    EXPECT_EQ(list.Item("gamma"), nullptr);
    EXPECT_EQ(list.Item(2)->Name(), "beta");

    EXPECT_EQ(list.Add("aLPHA", "new", true), first);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(first->Name(), "Alpha");
    EXPECT_EQ(first->Value().toString(), "new");
    Property* fresh = list.Add("Fresh", "y", true);
    EXPECT_EQ(fresh, list.Item(4));
}

TEST(Properties, RemoveAndClearKeepOtherItemsAtTheirAddressesAndBadPositionsAreErrors) {
    Properties list;
    list.Add("a", 1);
    Property* b = list.Add("b", 2);
    Property* c = list.Add("c", 3);
    for (int i = 0; i < 100; ++i)
        list.Add(QString::number(i), i);
    list.Remove(1);
    EXPECT_EQ(list.Item(1), b);
    EXPECT_EQ(list.Item("c"), c);
    EXPECT_EQ(c->Value().toInt(), 3);
    list.Remove(list.Count());
    EXPECT_EQ(list.Item(list.Count())->Name(), "98");
    c->SubProperties().Add("Name", QString())->SubProperties().Add("deep", "v");
    EXPECT_EQ(list.Item("C")->SubProperties().Item("name")->SubProperties().Item(1)->Value(), "v");
    for (int position : {0, list.Count() + 1})
        EXPECT_THROW(list.Item(position), LibraryError) << position;
    for (int position : {-1, list.Count() + 1})
        EXPECT_THROW(list.Remove(position), LibraryError) << position;
    EXPECT_EQ(list.Count(), 101);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.begin(), list.end());
}

TEST(PropertiesBuild, AddsOneItemPerPieceWithEmptyValues) {
    Properties list = named({"first"});
    list.Build("LANGUAGE:TIMEOUT::C:\\x", 0, 0, ":");
    EXPECT_EQ(namesOf(list), QStringList({"first", "LANGUAGE", "TIMEOUT", "", "C", "\\x"}));
    EXPECT_EQ(valuesOf(list), QStringList(6, ""));
    EXPECT_EQ(built("").Count(), 0);
    EXPECT_EQ(namesOf(built("a||b", "||")), QStringList({"a", "b"}));
    EXPECT_THROW(list.Build("a", 0, 0, ""), LibraryError);
}

TEST(PropertiesText, PlainNamesStayReadableAndHostileOnesComeBackExactly) {
    EXPECT_EQ(named({"SQL", "MAXROWS", "C\\Temp", "two words"}).ToText(), "SQL:MAXROWS:C\\Temp:two words");
    EXPECT_EQ(Properties().ToText(), "");
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
    // Lists that plain text cannot hold use the escaped form.
    for (const QStringList& names : {QStringList{""}, QStringList{"a:b"}, QStringList{"\\*x", "y"},
                                     QStringList{"", ""}, QStringList{"x", ""}}) {
        EXPECT_EQ(namesOf(built(named(names).ToText())), names) << names.join('|').toStdString();
    }
    // Unknown escapes are kept as written.
    const Properties unknown = built("\\*a\\qb=x\\");
    EXPECT_EQ(unknown.Item(1)->Name(), "a\\qb");
    EXPECT_EQ(unknown.Item(1)->Value().toString(), "x\\");
}

TEST(PropertiesSplitText, NamesPiecesByTheirFirstWordAndKeepsThemWhole) {
    Properties list;
    const QString tag = "<QX:DB-QUERY>Select:Name, Total\r\nFrom Sales</QX>";
    list.SplitText(tag, ":");
    EXPECT_EQ(namesOf(list), QStringList({"QX", "DB-QUERY", "Name"}));
    EXPECT_EQ(valuesOf(list).join(":"), tag);
    Properties none;
    none.SplitText("", ":");
    EXPECT_EQ(none.Count(), 0);
    none.SplitText("<<>>", ":");
    EXPECT_EQ(namesOf(none), QStringList({""}));
}
