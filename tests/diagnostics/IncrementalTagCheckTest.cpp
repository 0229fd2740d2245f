// The checks of tag markup kept in step with edits find what a whole check of the edited text finds.
#include "diagnostics/IncrementalTagCheck.h"
#include "diagnostics/DiagnosticsChecker.h"
#include "hostlib/ScriptReference.h"
#include "text/TextSource.h"

#include <qxTagEditor2/qxDatabase.h>

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace qx {
namespace {

// Markup with every kind of finding, long enough to hold many checkpoints.
QString markup() {
    const QString section =
        QStringLiteral("<p><QX:DB>Connect:x</QX> <QX:DBX>y</QX> <QX:DB>Conect:z</QX></p>\r\n"
                       "<QX:VBS>\r\nRESULT=\"If a Then\r\n  x = \"\"s\"\"\r\nEnd If\":\r\n</QX>\r\n"
                       "<b><QX:tag>Value=~64\"QUJD\"</QX> <QX:tag>Value=~64\"QUJ\"</QX></b>\r\n"
                       "<i>text & more text, and a <b>tag</b> or two</i> <QX:DB>\r\n  Xyzzy=1</QX>\r\n");
    return section.repeated(24);
}

TEST(IncrementalTagCheckTest, FollowsRandomEditsAsAWholeCheckWould) {
    qxDatabase database(QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json"));
    ScriptReference reference;
    reference.setDatabase(&database);
    const DiagnosticsChecker checker;
    const QStringList pieces = {"x",    "<",       ">",      "\"",        ":",
                                "=",    "~64\"",   "</QX>",  "<QX:DB>",   "<QX:VBS>",
                                "\r\n", "Connect", "RESULT", "If a Then", "End If",
                                "QUJD", "",        " ",      "</QX",      "<QX:VBS>\r\nEVAL=\"Next",
                                "\":"};
    QString text = markup();
    IncrementalTagCheck check(checker.scriptCommands(), &reference);
    check.reset(text);
    ASSERT_EQ(check.findings(), checker.check(text, false, &reference));
    QRandomGenerator random(7);
    for (int round = 0; round < 800; ++round) {
        const int position = int(random.bounded(int(text.size()) + 1));
        const int removed =
            int(random.bounded(qMin(random.bounded(10) == 0 ? 300 : 3, int(text.size()) - position) + 1));
        const QString inserted = pieces[int(random.bounded(int(pieces.size())))];
        text.replace(position, removed, inserted);
        check.edited(TextSource(text), position, removed, int(inserted.size()));
        ASSERT_EQ(check.findings(), checker.check(text, false, &reference)) << "round " << round;
    }
}

} // namespace
} // namespace qx
