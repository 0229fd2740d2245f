// The completion trigger end to end: what typing asks of the host's reference and which lists and tips open.
#include "AssistFixture.h"

#include "assist/HostObjectCatalogue.h"
#include "hostlib/LibraryError.h"
#include "platform/KeyCodes.h"
#include "support/TempSettings.h"
#include <qxTagEditor2/qxDatabase.h>

#include <QDir>
#include <QFile>

using namespace qx;

namespace {

class Completion : public qx::test::AssistFixture {
protected:
    void typeBetween(const QString& before, const QString& what, const QString& after = QString()) {
        setText(before + after, int(before.size()));
        box.typeText(what);
    }
    void openTip() {
        setText("<QX:VBS>Language:");
        popups.ShowTip("Language:VBScript");
        popups.ShowDescription("Chooses the language");
    }
    static QStringList catalogue(const char* key) { return HostObjectCatalogue::Members(QLatin1String(key)); }
    QString memberFolder() const { return settings.commonDir() + "/Kelvane/TagHandler/VBFunctions"; }

    const qx::test::TempSettings settings;
};

} // namespace

// A mixed-case opener is rewritten in capitals as the control's own edit; hidden handlers asked for if shown.
TEST_F(Completion, AnOpenerOffersTheHandlerNames) {
    answers["HandlerNames"] = "Vbs:Script";
    state.mbShowHiddenHandlers = true;
    box.typeText("x <qx:");
    EXPECT_EQ(box.Text(), "x <QX:");
    EXPECT_TRUE(box.SelStart() == 6 && !state.mbBusy);
    EXPECT_EQ(handledChanges, 6);
    EXPECT_EQ(log.calls, QStringList{"HandlerNames||include|0"});
    EXPECT_EQ(shownEntries(), (QStringList{"VBS", "SCRIPT"}));
    EXPECT_EQ(state.mlListStart, 6);
}

// In a tag ":" asks for the command's syntax and values, "=" for the argument's values, through one
// reference.
TEST_F(Completion, InsideATagTheCommandsSyntaxAndValuesShow) {
    answers = {{"CommandSyntax", "GetResult:SQL"},
               {"CommandDescription", "Runs a query"},
               {"CommandValues", "Select:Insert"}};
    typeBetween("<QX:database>GetResult", ":", "\r\nmore</QX>");
    const QString content = "GetResult:\r\nmore</QX>";
    EXPECT_EQ(log.calls,
              (QStringList{"CommandSyntax|database|" + content, "CommandDescription|database|" + content,
                           "CommandValues|database|" + content}));
    EXPECT_EQ(log.instances, 1);
    ASSERT_TRUE(popups.TipShown());
    EXPECT_EQ(tip()->Syntax(), "GetResult:SQL");
    EXPECT_EQ(status.PanelText("Status"), "Runs a query");
    EXPECT_EQ(shownEntries(), (QStringList{"SELECT", "INSERT"}));

    popups.ClosePopups();
    log.calls.clear();
    answers = {{"ArgumentValues", "Main:Archive"}};
    typeBetween("<QX:web>Page:Name", "=", "</QX>");
    EXPECT_EQ(log.calls, (QStringList{"CommandSyntax|web|Page:Name", "CommandDescription|web|Page:Name",
                                      "ArgumentValues|web|Page:Name|Name"}));
    EXPECT_FALSE(popups.TipShown());
    EXPECT_EQ(shownEntries(), (QStringList{"MAIN", "ARCHIVE"}));
}

TEST_F(Completion, AClosingTagOrAnObjectListClosesTheTip) {
    openTip();
    box.typeText("VBScript</QX>");
    EXPECT_FALSE(popups.TipShown() || tip()->Visible() || state.mbListShown);
    EXPECT_TRUE(log.calls.isEmpty());

    openTip();
    box.typeText("\r\nx = tag.");
    EXPECT_FALSE(popups.TipShown());
    EXPECT_EQ(status.PanelText("Status"), QString());
    EXPECT_EQ(shownEntries(), catalogue("tag"));
}

TEST_F(Completion, EachRequestMakesANewReferenceGivenOnlyTheHostDatabase) {
    QObject other;
    state.moDatabase = &other;
    typeBetween("<QX:DB", "-");
    EXPECT_FALSE(state.mbListShown); // no names: nothing opens
    typeBetween("<QX:DB", ">");
    EXPECT_EQ(log.calls, (QStringList{"HandlerNames|DB|exclude|0", "HandlerItems|DB"}));
    EXPECT_EQ(log.databaseSets, 0);
    qxDatabase database;
    state.moDatabase = &database;
    typeBetween("<QX:DB", ">");
    EXPECT_TRUE(log.instances == 3 && log.databaseSets == 1);
}

// The word chooses the catalogue; item variables are "oi" alone or before a capital ("|" is a line break).
TEST_F(Completion, TheTypedWordChoosesTheList) {
    const struct {
        const char *before, *typed, *key; // an empty key: no list
    } cases[] = {{"|tag.Properties", ".", "properties"},
                 {"", "oiTask.", "itemaccount"},
                 {"|", "oitask.", ""},
                 {"|", "OiTask.", ""},
                 {"|", "oi.", "itemaccount"}};
    for (const auto& c : cases) {
        popups.HideList();
        setText(QString(c.before).replace('|', "\r\n"));
        box.typeText(c.typed);
        EXPECT_EQ(state.mbListShown, *c.key != 0) << c.before << c.typed;
        EXPECT_EQ(shownEntries(), catalogue(c.key)) << c.before << c.typed;
    }
}

// A word reaches only files in the member folder; a broken file ends the request that reads it, once.
TEST_F(Completion, MemberFilesLoadOnlyFromTheirFolderAndABrokenOneFailsOnce) {
    ASSERT_TRUE(QDir().mkpath(memberFolder()));
    for (const char* refused : {"../x", "a\\b", "a\x01", ""})
        EXPECT_EQ(MemberSets::MemberFilePath(refused), QString()) << refused;
    EXPECT_TRUE(MemberSets::MemberFilePath("web.library")
                    .endsWith("/Kelvane/TagHandler/VBFunctions/web.library.tag"));

    QFile file(memberFolder() + "/bad.tag");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not json") == 8);
    file.close();
    setText("bad.");
    EXPECT_THROW(trigger.ShowCompletion({}, false), LibraryError);
    EXPECT_FALSE(state.mbListShown);
    EXPECT_NO_THROW(trigger.ShowCompletion({}, false));
    EXPECT_FALSE(state.mbListShown) << "no list of nothing";
}

// A member list opens at the caret, the scroll position read first put back, and follows the typing.
TEST_F(Completion, AMemberListOpensAtTheCaretAndFollowsTheTyping) {
    setText("x = web.");
    trigger.ShowCompletion({30, 40}, false);
    ASSERT_TRUE(state.mbListShown);
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{30, 40}));
    EXPECT_EQ(list()->entries(), catalogue("web"));
    EXPECT_EQ(state.mlListStart, 8);
    EXPECT_TRUE(list()->Visible() && box.HasFocus());
    box.typeText("requestL");
    EXPECT_EQ(list()->Text(), "RequestListPage");
    box.SelectRange(state.mlListStart, box.SelStart()); // a selection stops the following
    trigger.ShowCompletion({}, false);
    EXPECT_EQ(list()->Text(), "RequestListPage");
    box.setSelStart(state.mlListStart + 8);
    box.typeText("z");
    EXPECT_EQ(list()->ListIndex(), -1);

    box.setSelStart(state.mlListStart - 1);
    trigger.ShowCompletion({}, false);
    EXPECT_FALSE(state.mbListShown || list()->Visible());
}
