#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <algorithm>

namespace qx::test {

// Texts for differential tests, read as data: the files of the real-script corpus and the generated
// benchmark texts.

// Every `step`-th file of the corpus (QX_CORPUS_DIR) in name order; none when the corpus is missing.
inline QStringList corpusFiles(int step = 1) {
    QStringList paths;
    QDirIterator it(QStringLiteral(QX_CORPUS_DIR), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    std::sort(paths.begin(), paths.end());
    QStringList every;
    for (qsizetype i = 0; i < paths.size(); i += step)
        every << paths[i];
    return every;
}

// The same files' texts, decoded as UTF-8.
inline QStringList corpusTexts(int step = 1) {
    QStringList texts;
    for (const QString& path : corpusFiles(step)) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            texts << QString::fromUtf8(file.readAll());
    }
    return texts;
}

// A generated benchmark text ("tag_1mb.qx", "script_1mb.vbs", ...), from the folder QX_BENCH_TEXT_DIR names
// in the environment, else from the build's bench/texts beside the tests; a null string when it is not
// there (the build makes it with the benchmarks' target qx_bench_texts).
inline QString generatedText(const QString& name) {
    QString folder = qEnvironmentVariable("QX_BENCH_TEXT_DIR");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../bench/texts");
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll());
}

} // namespace qx::test
