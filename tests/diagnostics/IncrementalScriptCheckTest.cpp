// The checks kept in step with edits find what a whole check of the edited text finds.
#include "diagnostics/IncrementalScriptCheck.h"
#include "diagnostics/ScriptChecks.h"
#include "highlight/TextDecoding.h"
#include "text/TextSource.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <algorithm>

namespace qx {
namespace {

QList<Diagnostic> wholeCheck(const QString& text) {
    QList<Diagnostic> found = CheckScript(text);
    std::stable_sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.start < b.start; });
    return found;
}

TEST(IncrementalScriptCheckTest, FollowsRandomEditsAsAWholeCheckWould) {
    QFile file(QStringLiteral(QX_CORPUS_DIR "/vbs/marius-joe__VBScript_collection__utils_general.vbs"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString text = decodeScriptFile(file.readAll()).mid(20000, 8000);
    const QStringList pieces = {"x",
                                "\r\n",
                                "\r",
                                "\n",
                                "\"",
                                "'",
                                "If a Then",
                                "End If",
                                "Next",
                                " _",
                                ":",
                                "For i = 1 To 2",
                                "Sub s",
                                "End ",
                                "",
                                "e",
                                "Function f\r\nEnd Sub"};
    IncrementalScriptCheck check;
    check.reset(text);
    QRandomGenerator random(11);
    for (int round = 0; round < 2000; ++round) {
        const int position = int(random.bounded(int(text.size()) + 1));
        const int removed =
            int(random.bounded(qMin(random.bounded(8) == 0 ? 200 : 4, int(text.size()) - position) + 1));
        const QString inserted = pieces[int(random.bounded(int(pieces.size())))];
        text.replace(position, removed, inserted);
        check.edited(TextSource(text), position, removed, int(inserted.size()));
        ASSERT_EQ(check.findings(), wholeCheck(text)) << "round " << round;
    }
}

} // namespace
} // namespace qx
