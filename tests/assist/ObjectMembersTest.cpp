#include "AssistFixture.h"

#include "platform/KeyCodes.h"

#include "assist/HostObjectCatalogue.h"
#include "hostlib/LibraryError.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QFile>

using namespace qx;
using qx::test::AssistFixture;

namespace {

class ObjectMembers : public AssistFixture {
protected:
    // Accepts the selected entry the way the keys do: the typed word becomes the entry, the list closes.
    void acceptEntry(const QString& entry) {
        const int caretPos = box.SelStart();
        popups.HideList();
        mbBusy = true;
        box.SelectRange(mlListStart, caretPos);
        box.setSelText(entry);
        mbBusy = false;
    }
    QStringList catalogue(const char* key) const { return HostObjectCatalogue::Members(QLatin1String(key)); }
};

// Writes a member file into the common folder of the settings.
void writeMemberFile(const qx::test::TempSettings& settings, const QString& word, const QStringList& names) {
    Properties set;
    for (const QString& name : names)
        set.Add(name, QString());
    set.SaveFile(settings.commonDir() + "/Kelvane/TagHandler/VBFunctions/" + word + ".tag");
}

} // namespace

TEST_F(ObjectMembers, TagAtTheVeryStartOpensTheTagList) {
    box.typeText("tag.");
    ASSERT_TRUE(mbListShown);
    EXPECT_EQ(list()->entries(), catalogue("tag"));
    EXPECT_EQ(list()->ListType(), 1);
    EXPECT_EQ(list()->textColour(), 0x408F40u);
    EXPECT_EQ(mlListStart, 4);
    EXPECT_TRUE(list()->Visible());
    EXPECT_TRUE(box.HasFocus());
}

TEST_F(ObjectMembers, TheWordRunsFromTheNearestDelimiterOnTheCaretsLine) {
    setText("first line\r\n");
    box.typeText("x = tag.");
    EXPECT_EQ(shownEntries(), catalogue("tag"));
    popups.HideList();

    setText("Call Foo(");
    box.typeText("tag.");
    EXPECT_EQ(shownEntries(), catalogue("tag"));
    popups.HideList();

    setText("a, web.library");
    box.typeText(".");
    EXPECT_EQ(shownEntries(), catalogue("library"));
}

TEST_F(ObjectMembers, AWordGluedToAnOperatorOffersNothing) {
    setText("first line\r\n");
    box.typeText("x =tag.");
    EXPECT_FALSE(mbListShown);
    setText(QString());
    box.typeText("y=tag.");
    EXPECT_FALSE(mbListShown);
    // A space on the line before does not bound a word on the next line.
    setText("a b\r\nweb.");
    trigger.ShowCompletion({}, false);
    EXPECT_EQ(shownEntries(), catalogue("web"));
}

TEST_F(ObjectMembers, AcceptingAMemberWithADotOpensItsObjectsList) {
    box.typeText("tag.Prop");
    ASSERT_TRUE(mbListShown);
    EXPECT_EQ(list()->Text(), "Properties");
    acceptEntry(list()->Text());
    box.typeText(".");
    EXPECT_EQ(box.Text(), "tag.Properties.");
    EXPECT_EQ(shownEntries(), catalogue("properties"));
    EXPECT_EQ(list()->entries().size(), 33);

    popups.HideList();
    setText("\r\n");
    box.typeText("web.");
    acceptEntry("Library");
    box.typeText(".");
    EXPECT_EQ(shownEntries(), catalogue("library"));

    popups.HideList();
    setText("\r\n");
    box.typeText("web.");
    acceptEntry("Database");
    box.typeText(".");
    EXPECT_FALSE(mbListShown);
}

TEST_F(ObjectMembers, ItemVariablesNeedOiAndACapital) {
    box.typeText("oiTask.");
    EXPECT_EQ(shownEntries(), catalogue("itemaccount"));
    popups.HideList();
    setText("\r\n");
    box.typeText("oitask.");
    EXPECT_FALSE(mbListShown);
    setText("\r\n");
    box.typeText("OiTask.");
    EXPECT_FALSE(mbListShown);
    setText("\r\n");
    box.typeText("oi2.");
    EXPECT_EQ(shownEntries(), catalogue("itemaccount"));
}

TEST_F(ObjectMembers, KeyWordsAreServedFromTheCacheOtherWordsRebuild) {
    for (const char* typed : {"tag.", " Tag.", " rs.", " rs."}) {
        box.typeText(typed);
        ASSERT_TRUE(mbListShown) << typed;
        popups.HideList();
    }
    const Properties* cache = trigger.memberSets().Cache();
    ASSERT_NE(cache, nullptr);
    ASSERT_EQ(cache->Count(), 3);
    EXPECT_EQ(cache->Item(1)->Name(), "tag");
    EXPECT_EQ(cache->Item(2)->Name(), "result");
    EXPECT_EQ(cache->Item(3)->Name(), "result");
}

TEST_F(ObjectMembers, AMemberFileWinsAndStaysCachedAfterRemoval) {
    const qx::test::TempSettings settings;
    writeMemberFile(settings, "rs", {"Alpha", "beta"});
    box.typeText("x = rs.");
    EXPECT_EQ(shownEntries(), (QStringList{"Alpha", "beta"}));
    popups.HideList();

    ASSERT_TRUE(QFile::remove(settings.commonDir() + "/Kelvane/TagHandler/VBFunctions/rs.tag"));
    box.typeText(" rs.");
    EXPECT_EQ(shownEntries(), (QStringList{"Alpha", "beta"}));
    EXPECT_EQ(trigger.memberSets().Cache()->Item("rs")->SubProperties().Count(), 2);
}

TEST_F(ObjectMembers, TheSampleMemberFileLoads) {
    const qx::test::TempSettings settings;
    const QString folder = settings.commonDir() + "/Kelvane/TagHandler/VBFunctions";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QX_DATA_DIR "/members/fso.tag"), folder + "/fso.tag"));
    box.typeText("Set f = fso.");
    ASSERT_TRUE(mbListShown);
    EXPECT_EQ(list()->Entry(0), "BuildPath");
    EXPECT_TRUE(list()->entries().contains("OpenTextFile"));
}

TEST_F(ObjectMembers, AWordCannotReachAFileOutsideTheMemberFolder) {
    const qx::test::TempSettings settings;
    Properties outside;
    outside.Add("Secret", QString());
    outside.SaveFile(settings.commonDir() + "/Kelvane/TagHandler/x.tag");
    box.typeText("../x.");
    EXPECT_FALSE(mbListShown);
    EXPECT_EQ(MemberSets::MemberFilePath("../x"), QString());
    EXPECT_EQ(MemberSets::MemberFilePath("a\\b"), QString());
    EXPECT_TRUE(MemberSets::MemberFilePath("web.library")
                    .endsWith("/Kelvane/TagHandler/VBFunctions/web.library.tag"));
}

TEST_F(ObjectMembers, ABrokenMemberFileEndsTheRequestOnceThenOffersNothing) {
    const qx::test::TempSettings settings;
    const QString folder = settings.commonDir() + "/Kelvane/TagHandler/VBFunctions";
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile file(folder + "/bad.tag");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not json");
    file.close();
    setText("bad.");
    EXPECT_THROW(trigger.ShowCompletion({}, false), LibraryError);
    EXPECT_FALSE(mbListShown);
    EXPECT_NO_THROW(trigger.ShowCompletion({}, false));
    EXPECT_FALSE(mbListShown);
}

TEST_F(ObjectMembers, TheListFollowsTheTypingUntilTheCaretLeavesTheWord) {
    box.typeText("x = web.req");
    ASSERT_TRUE(mbListShown);
    EXPECT_EQ(list()->Text(), "Requery");
    box.typeText("uestL");
    EXPECT_EQ(list()->Text(), "RequestListPage");
    box.typeText("z");
    EXPECT_EQ(list()->ListIndex(), -1);

    // A selection stops the following: the list keeps what it had.
    box.pressKey(VK_BACK);
    EXPECT_EQ(list()->Text(), "RequestListPage");
    box.SelectRange(mlListStart, box.SelStart());
    trigger.ShowCompletion({}, false);
    EXPECT_EQ(list()->Text(), "RequestListPage");
    EXPECT_TRUE(mbListShown);

    box.setSelStart(mlListStart - 1);
    trigger.ShowCompletion({}, false);
    EXPECT_FALSE(mbListShown);
    EXPECT_FALSE(list()->Visible());
}

TEST_F(ObjectMembers, CtrlSpaceScansBackOverBlanksButTakesTheWordFromTheCaret) {
    setText("tag.  ");
    trigger.ShowCompletion({}, true);
    EXPECT_FALSE(mbListShown);
    setText("   ");
    trigger.ShowCompletion({}, true);
    EXPECT_FALSE(mbListShown);
    setText("tag.");
    trigger.ShowCompletion({}, true);
    EXPECT_EQ(shownEntries(), catalogue("tag"));
}

TEST_F(ObjectMembers, OpeningTheListPutsTheScrollPositionBack) {
    box.SetScrollPos({5, 7});
    setText("tag.");
    trigger.ShowCompletion({30, 40}, false);
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{30, 40}));
}

TEST_F(ObjectMembers, TheWordTableAndTheOiRule) {
    const std::pair<const char*, const char*> rows[] = {
        {"TAG", "tag"},
        {"Database.Library", "library"},
        {"web.database.library", "library"},
        {"oProperties", "properties"},
        {"tag.Variables", "properties"},
        {"oResult", "result"},
        {"WebPage", "webpage"},
        {"web.html", "html"},
        {"wfProcess.ProcessItemObject", "itemaccount"},
        {"oObjectItem", "itemaccount"},
        {"oJob", "wfjob"},
        {"oWfProcess", "wfprocess"},
        {"oSearchProfile", "searchprofile"},
        {"oi", "itemaccount"},
        {"oi_x", "itemaccount"},
        {"oix", ""},
        {"searchprofile", ""},
        {"properties", ""},
    };
    for (const auto& [word, key] : rows)
        EXPECT_EQ(MemberSets::CatalogueKeyFor(word), QLatin1String(key)) << word;
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("\ta "), "\ta");
}
