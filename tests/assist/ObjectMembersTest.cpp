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
    QString memberFolder() const { return settings.commonDir() + "/Kelvane/TagHandler/VBFunctions"; }
    struct Case {
        const char *word, *member, *key;
    };

    const qx::test::TempSettings settings;
};

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

// The word runs from the nearest delimiter on the caret's line; a word glued to an operator offers nothing.
TEST_F(ObjectMembers, TheTypedWordChoosesTheList) {
    struct Case {
        const char *before, *typed, *key; // an empty key: no list
    };
    for (const Case& c :
         {Case{"first line\r\n", "x = tag.", "tag"}, Case{"Call Foo(", "tag.", "tag"},
          Case{"a, web.library", ".", "library"}, Case{"a b\r\n", "web.", "web"},
          Case{"first line\r\n", "x =tag.", ""}, Case{"", "y=tag.", ""}, Case{"", "oiTask.", "itemaccount"},
          Case{"\r\n", "oitask.", ""}, Case{"\r\n", "OiTask.", ""}, Case{"\r\n", "oi2.", "itemaccount"}}) {
        popups.HideList();
        setText(c.before);
        box.typeText(c.typed);
        EXPECT_EQ(mbListShown, *c.key != 0) << c.before << c.typed;
        EXPECT_EQ(shownEntries(), catalogue(c.key)) << c.before << c.typed;
    }
}

TEST_F(ObjectMembers, AcceptingAMemberWithADotOpensItsObjectsList) {
    for (const Case& c : {Case{"tag.", "Properties", "properties"}, Case{"web.", "Library", "library"},
                          Case{"web.", "Database", ""}}) {
        popups.HideList();
        setText("\r\n");
        box.typeText(c.word);
        acceptEntry(c.member);
        box.typeText(".");
        EXPECT_EQ(box.Text(), QString("\r\n") + c.word + c.member + ".");
        EXPECT_EQ(mbListShown, *c.key != 0) << c.member;
        EXPECT_EQ(shownEntries(), catalogue(c.key)) << c.member;
    }
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
    qx::test::nameSet({"Alpha", "beta"}).SaveFile(memberFolder() + "/rs.tag");
    box.typeText("x = rs.");
    EXPECT_EQ(shownEntries(), (QStringList{"Alpha", "beta"}));
    popups.HideList();

    ASSERT_TRUE(QFile::remove(memberFolder() + "/rs.tag"));
    box.typeText(" rs.");
    EXPECT_EQ(shownEntries(), (QStringList{"Alpha", "beta"}));
    EXPECT_EQ(trigger.memberSets().Cache()->Item("rs")->SubProperties().Count(), 2);
}

TEST_F(ObjectMembers, TheSampleMemberFileLoads) {
    ASSERT_TRUE(QDir().mkpath(memberFolder()));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QX_DATA_DIR "/members/fso.tag"), memberFolder() + "/fso.tag"));
    box.typeText("Set f = fso.");
    ASSERT_TRUE(mbListShown);
    EXPECT_EQ(list()->Entry(0), "BuildPath");
    EXPECT_TRUE(list()->entries().contains("OpenTextFile"));
}

TEST_F(ObjectMembers, AWordCannotReachAFileOutsideTheMemberFolder) {
    qx::test::nameSet({"Secret"}).SaveFile(settings.commonDir() + "/Kelvane/TagHandler/x.tag");
    box.typeText("../x.");
    EXPECT_FALSE(mbListShown);
    EXPECT_EQ(MemberSets::MemberFilePath("../x"), QString());
    EXPECT_EQ(MemberSets::MemberFilePath("a\\b"), QString());
    EXPECT_TRUE(MemberSets::MemberFilePath("web.library")
                    .endsWith("/Kelvane/TagHandler/VBFunctions/web.library.tag"));
}

TEST_F(ObjectMembers, ABrokenMemberFileEndsTheRequestOnceThenOffersNothing) {
    ASSERT_TRUE(QDir().mkpath(memberFolder()));
    QFile file(memberFolder() + "/bad.tag");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not json") == 8);
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
