#include "AssistFixture.h"

#include "assist/CompletionContext.h"
#include "assist/HostObjectCatalogue.h"
#include <qxTagEditor2/qxDatabase.h>

using namespace qx;
using qx::test::AssistFixture;

namespace {

class TagCompletion : public AssistFixture {
protected:
    // Puts before and after around the caret, then types what.
    void typeBetween(const QString& before, const QString& what, const QString& after = QString()) {
        setText(before + after, int(before.size()));
        box.typeText(what);
    }
    // A command's tip, open.
    void openTip() {
        answers.syntax = "Language:VBScript";
        answers.description = "Chooses the language";
        typeBetween("<QX:VBS>Language", ":");
        ASSERT_TRUE(popups.TipShown());
    }
};

} // namespace

TEST_F(TagCompletion, AMixedCaseOpenerIsWrittenInCapitalsAndOffersHandlerNames) {
    answers.handlerNames = {"Vbs", "Script"};
    box.typeText("x <qx:");
    EXPECT_EQ(box.Text(), "x <QX:");
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_FALSE(mbBusy);
    // The rewrite is the control's own edit: only the six typed characters reached the change handler.
    EXPECT_EQ(handledChanges, 6);
    EXPECT_EQ(log.calls, QStringList{"HandlerNames||exclude|0"});
    EXPECT_EQ(shownEntries(), (QStringList{"VBS", "SCRIPT"}));
    EXPECT_EQ(list()->ListType(), 0);
    EXPECT_EQ(list()->textColour(), 0x000080u);
    EXPECT_EQ(mlListStart, 6);
}

TEST_F(TagCompletion, TheCapitalOpenerOffersHandlerNamesDirectly) {
    mbShowHiddenHandlers = true;
    box.typeText("<Qx:");
    EXPECT_EQ(box.Text(), "<QX:");
    setText("\r\n<QX");
    box.typeText(":");
    EXPECT_EQ(log.calls, (QStringList{"HandlerNames||include|0", "HandlerNames||include|0"}));
    EXPECT_FALSE(mbListShown); // no names: nothing opens
}

TEST_F(TagCompletion, AColonInsideATagAsksForTheCommandWithTheRestOfTheDocument) {
    answers.syntax = "GetResult:SQL";
    answers.description = "Runs a query";
    answers.commandValues = "Select:Insert";
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
    EXPECT_EQ(list()->textColour(), 0x000000u);
    EXPECT_EQ(list()->ListType(), 0);
}

TEST_F(TagCompletion, AnEqualsSignAsksForTheArgumentsValues) {
    answers.argumentValues = "Main:Archive";
    typeBetween("<QX:web>Page:Name", "=", "</QX>");
    EXPECT_EQ(log.calls, (QStringList{"CommandSyntax|web|Page:Name", "CommandDescription|web|Page:Name",
                                      "ArgumentValues|web|Page:Name|Name"}));
    EXPECT_FALSE(popups.TipShown()); // no syntax text: no tip
    EXPECT_EQ(shownEntries(), (QStringList{"MAIN", "ARCHIVE"}));

    log.calls.clear();
    popups.HideList();
    typeBetween("<qx:DB>Connect", "=");
    EXPECT_EQ(log.calls.last(), "ArgumentValues|DB|Connect|Connect");
}

TEST_F(TagCompletion, NothingIsAskedOutsideAnOpenTag) {
    for (const char* before : {"<QX:a>b</QX> c", "<QX:a>b</qx> c", "no tag here c", "<QX:abc"}) {
        typeBetween(before, ":");
        typeBetween(before, "=");
    }
    EXPECT_TRUE(log.calls.isEmpty()) << log.calls.join(", ").toStdString();
}

TEST_F(TagCompletion, AHyphenAfterAPlainHandlerNameOffersTheNamesThatFollow) {
    answers.handlerNames = {"Query"};
    typeBetween("<QX:DB", "-");
    EXPECT_EQ(log.calls, QStringList{"HandlerNames|DB|exclude|0"});
    EXPECT_EQ(shownEntries(), QStringList{"QUERY"});

    popups.HideList();
    log.calls.clear();
    typeBetween("<QX:D B", "-");
    typeBetween("<QX:DB>x", "-");
    EXPECT_TRUE(log.calls.isEmpty());
}

TEST_F(TagCompletion, AGreaterThanAfterAHandlerNameOffersItsItems) {
    answers.handlerItems = "CONNECTION:TIMEOUT";
    typeBetween("<QX:DB", ">");
    EXPECT_EQ(log.calls, QStringList{"HandlerItems|DB"});
    EXPECT_EQ(shownEntries(), (QStringList{"CONNECTION", "TIMEOUT"}));
    // Items go 240 twips below the caret's top: 16 pixels.
    EXPECT_EQ(list()->Position(), QPoint(100, 216));

    popups.HideList();
    answers.handlerItems.clear();
    typeBetween("\r\n<QX:VBS", ">");
    EXPECT_FALSE(mbListShown);
}

TEST_F(TagCompletion, CtrlSpaceAfterBlanksActsOnTheCharacterBeforeThem) {
    answers.handlerItems = "A:B";
    setText("<QX:DB>  \r\n ");
    trigger.ShowCompletion({}, true);
    EXPECT_EQ(log.calls, QStringList{"HandlerItems|DB"});
    EXPECT_TRUE(mbListShown);
    // A ">" close to the start, where no closing tag fits before it, is no closing tag.
    popups.HideList();
    setText("a>  ");
    EXPECT_NO_THROW(trigger.ShowCompletion({}, true));
    EXPECT_FALSE(mbListShown);
}

TEST_F(TagCompletion, CompletingAClosingTagClosesTheTipAndOpensNothing) {
    openTip();
    log.calls.clear();
    box.typeText("VBScript</QX>");
    EXPECT_FALSE(popups.TipShown());
    EXPECT_FALSE(tip()->Visible());
    EXPECT_EQ(status.PanelText("Status"), QString());
    EXPECT_FALSE(mbListShown);
    EXPECT_TRUE(log.calls.isEmpty());
}

TEST_F(TagCompletion, OpeningAnObjectListHidesTheTip) {
    openTip();
    box.typeText("\r\nx = tag.");
    EXPECT_FALSE(popups.TipShown());
    EXPECT_EQ(status.PanelText("Status"), QString());
    EXPECT_EQ(shownEntries(), HostObjectCatalogue::Members("tag"));
}

TEST_F(TagCompletion, EachRequestMakesANewReferenceGivenOnlyTheHostDatabase) {
    QObject other;
    moDatabase = &other;
    typeBetween("<QX:DB", "-");
    typeBetween("<QX:DB", ">");
    EXPECT_EQ(log.instances, 2);
    EXPECT_EQ(log.databaseSets, 0);

    qxDatabase database;
    moDatabase = &database;
    typeBetween("<QX:DB", ">");
    EXPECT_EQ(log.instances, 3);
    EXPECT_EQ(log.databaseSets, 1);
    EXPECT_TRUE(CompletionTrigger::IsHostDatabase(&database));
    EXPECT_FALSE(CompletionTrigger::IsHostDatabase(&other));
    EXPECT_FALSE(CompletionTrigger::IsHostDatabase(nullptr));
}

TEST_F(TagCompletion, TheDefaultReferenceWithoutADatabaseOffersNothing) {
    trigger.setReferenceFactory(nullptr);
    box.typeText("<QX:");
    typeBetween("<QX:DB>Connect", ":");
    EXPECT_FALSE(mbListShown);
    EXPECT_FALSE(popups.TipShown());
}

TEST(CompletionContext, ResolvesTheCasesFromTheTextAlone) {
    const auto lineOf = [](int) { return 0; };
    const CompletionContext colon = ResolveCompletion("<QX:db>Cmd:", 11, false, lineOf);
    EXPECT_EQ(colon.action, CompletionAction::CommandHelp);
    EXPECT_EQ(colon.handler, "db");
    EXPECT_EQ(colon.content, "Cmd:");
    EXPECT_EQ(ResolveCompletion("abc.", 3, false, lineOf).action, CompletionAction::None); // not at the caret
    EXPECT_EQ(ResolveCompletion("ab.", 3, false, lineOf).action, CompletionAction::None);  // too short
    EXPECT_EQ(ResolveCompletion("", 0, true, lineOf).action, CompletionAction::None);
    EXPECT_EQ(ResolveCompletion("x", 5, false, lineOf).action, CompletionAction::None);
    EXPECT_EQ(ResolveCompletion("a</QX>", 6, false, lineOf).action, CompletionAction::TagClosed);
}
