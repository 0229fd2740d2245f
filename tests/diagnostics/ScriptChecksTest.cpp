#include "diagnostics/ScriptChecks.h"
#include "Marked.h"

#include <gtest/gtest.h>

#include <utility>

namespace qx {
namespace {

using test::unmarked;
using test::withMarks;
using Case = std::pair<const char*, const char*>; // the marked text, and why

void expectMarks(const Case& c) {
    EXPECT_EQ(withMarks(unmarked(c.first), CheckScript(unmarked(c.first))), c.first) << c.second;
}

TEST(ScriptChecksTest, AStringMustCloseOnItsLine) {
    const Case cases[] = {
        {"x = «\"abc»", "open at the end of the text"},
        {"x = «\"abc»\r\ny = \"d\"", "up to the line break, which stays out"},
        {"x = «\"abc»\r«\"d»\nz", "a lone CR or LF ends a line too"},
        {"x = \"a\"\"b\" & \"\"", "a doubled quote stands for one"},
        {"x = «\"a\"\"»", "so this one stays open"},
        {"' it's \"quoted\r\nRem don't \"quote\r\nx = 1 : REM \"x", "comments hide quotes"},
        {"x = \"it's\" ' and \"this", "a quote in a string does not start a comment"},
        {"Dim [it's \"odd]", "nor does one in a bracketed name"},
        {"obj.Rem «\"x»", "Rem after a dot is a member name"},
        {"x = \"a\" _\r\n  & «\"b»", "continued lines each close their own strings"},
    };
    for (const Case& c : cases)
        expectMarks(c);
}

TEST(ScriptChecksTest, BlockKeywordsPairAsTheStatementSyntaxSays) {
    const Case cases[] = {
        {"If a Then\r\nx\r\nEnd If", "a block If"},
        {"«If» a Then\r\nx = 1", "without its End If"},
        {"if a then ' note\r\nEND IF", "a comment after Then, any letter case"},
        {"If a Then x = 1\r\nIf a Then x = 1 Else y = 2\r\nIf a Then Else y\r\nIf a Then x : Else y",
         "single-line Ifs"},
        {"If a Then x = 1\r\n«End If»", "a single-line If takes no End If from a later line"},
        {"If a Then : x = 1\r\nIf a Then x = 1 : End If\r\nIf a Then x End If", "colons; a trailing End If"},
        {"If a _\r\n  Then\r\nEnd If\r\nIf a Then _\r\n  x = 1", "continued lines are one line"},
        {"If a Then\r\nElseIf b Then\r\nElse\r\nEnd If", "ElseIf and Else inside"},
        {"«Else»\r\n«ElseIf» a Then", "but not outside"},
        {"If a Then\r\nElse If b Then\r\nEnd If\r\nEnd If", "Else If nests a second If"},
        {"If a Then\r\nIf b Then c Else If d Then e\r\nEnd If", "a single-line If's Else and If"},
        {"For i = 1 To 2\r\nExit For\r\nNext\r\nFor Each x In y\r\nNext\r\n«Next»", "For, For Each, Next"},
        {"Do While a\r\nExit Do\r\nLoop\r\nDo\r\nLoop Until a\r\n«Loop»\r\n«Do»", "Do and Loop"},
        {"While a\r\nWend\r\n«Wend»\r\n«While» a", "While and Wend"},
        {"Select Case a\r\nCase 1\r\nCase Else\r\nEnd Select\r\n«Select Case» b", "Select Case"},
        {"Select Case a\r\n«End If»\r\nEnd Select\r\n«End Select»", "a closer that opens nothing"},
        {"With a\r\n.Next = 1\r\n.End\r\nEnd With\r\n«End With»\r\n«With» b", "With; members after a dot"},
        {"x.Next\r\nobj.End\r\ny = a. Loop\r\n[Next] = 1\r\nEnd\r\nx = \"For\" ' Do", "no keyword here"},
        {"x = 1 : For i = 1 To 2 : y : Next : Do : Loop", "statements joined with colons"},
        {"Sub A()\r\nExit Sub\r\nEnd Sub\r\nPrivate Sub B\r\nEnd Sub\r\nPublic Default Function F\r\nEnd "
         "Function",
         "procedures"},
        {"Class C\r\nPrivate x\r\nPublic Property Get P\r\nExit Property\r\nEnd Property\r\n"
         "Property Let P(v)\r\nEnd Property\r\nEnd Class",
         "a class and its properties"},
        {"«Class» C\r\n«Property Get» P\r\n«Function» F", "unclosed"},
        {"«End Sub»\r\n«End Function»\r\n«End Property»\r\n«End Class»", "closers that open nothing"},
        {"Function F\r\n«End Sub»\r\nSub S\r\nEnd Sub", "a wrong End closes the procedure"},
        {"Sub A\r\n«If» a Then\r\nEnd Sub", "the End of a procedure reports what is open inside"},
        {"For i = 1 To 2\r\n«If» a Then\r\nNext", "so does a closer further out"},
        {"If a Then\r\n«For» i = 1 To 2\r\nElse\r\n«Next»\r\nEnd If", "and an Else"},
        {"«Sub» A\r\nSub B\r\nEnd Sub", "procedures do not nest"},
        {"Class C\r\n«Sub» A\r\nEnd Class", "a class ends what is open in it"},
        {"«Class» C\r\n«Sub» A\r\nClass D\r\nEnd Class\r\n«End Class»", "classes do not nest"},
        {"«If» a", "an If still waiting for its Then is a block"},
        {"Fora = 1\r\nForz = 1\r\nForA = 1\r\nForZ = 1\r\nFor0 = 1\r\nFor9 = 1\r\nFor_ = 1",
         "a keyword is a whole word"},
        {"For i = 1 To 2\r\nSub A\r\n«Next»\r\nEnd Sub\r\nNext",
         "a closer looks no further than its procedure"},
        {"If a Then\r\nSub A\r\n«Else»\r\nEnd Sub\r\nEnd If", "nor does an Else"},
    };
    for (const Case& c : cases)
        expectMarks(c);
}

TEST(ScriptChecksTest, MessagesNameTheKeywordAndItsPartner) {
    const std::pair<const char*, const char*> cases[] = {
        {"If a Then", "\"If\" has no matching \"End If\"."},
        {"Next", "\"Next\" has no matching \"For\"."},
        {"Else", "\"Else\" has no matching \"If\"."},
        {"Property Let P\r\nEnd Function",
         "\"End Function\" closes a \"Property\"; it should be \"End Property\"."},
        {"x = \"a", "This string is not closed before the end of its line."},
    };
    for (const auto& [text, message] : cases) {
        const QList<Diagnostic> found = CheckScript(QString::fromUtf8(text), 10);
        ASSERT_EQ(found.size(), 1) << text;
        EXPECT_EQ(found[0].message.toStdString(), message);
        EXPECT_EQ(found[0].severity, Diagnostic::Severity::Error);
        EXPECT_GE(found[0].start, 10) << "positions count from the offset";
    }
}

} // namespace
} // namespace qx
