// Working scripts from public projects give no false alarm; the two real faults of one of them are found.
#include "diagnostics/DiagnosticsChecker.h"
#include "highlight/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(DiagnosticsCorpusTest, OnlyTheRealFaultsOfTheCorpusScriptsAreFound) {
    const QDir folder(QStringLiteral(QX_CORPUS_DIR "/vbs"));
    const QStringList files = folder.entryList({QStringLiteral("*.vbs")}, QDir::Files, QDir::Name);
    ASSERT_GT(files.size(), 50) << "no corpus in " << QX_CORPUS_DIR;
    QStringList found;
    for (const QString& name : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString text = decodeScriptFile(file.readAll());
        for (const Diagnostic& d : DiagnosticsChecker().check(text, true, nullptr)) {
            const int line = int(QStringView(text).first(d.start).count(u'\n')) + 1;
            found << QStringLiteral("%1:%2: %3 %4")
                         .arg(name)
                         .arg(line)
                         .arg(text.mid(d.start, d.length), d.message);
        }
    }
    const QString faulty = QStringLiteral("marius-joe__VBScript_collection__utils_general.vbs");
    EXPECT_EQ(
        found.join(u'\n').toStdString(),
        QStringList(
            {faulty + ":540: \" ) ist und danach noch mehr kommt This string is not closed before "
                      "the end of its line.",
             faulty + ":1050: End Sub \"End Sub\" closes a \"Function\"; it should be \"End Function\"."})
            .join(u'\n')
            .toStdString());
}

} // namespace
} // namespace qx
