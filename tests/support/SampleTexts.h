#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <algorithm>

namespace qx::test {

// Texts for differential tests, read as data: the real-script corpus and the generated benchmark texts.

// Every `step`-th file of the corpus (QX_CORPUS_DIR) in name order; none when the corpus is missing.
inline QStringList corpusFiles(int step = 1) {
    QStringList paths, every;
    for (QDirIterator it(QStringLiteral(QX_CORPUS_DIR), QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        paths << it.next();
    std::sort(paths.begin(), paths.end());
    for (qsizetype i = 0; i < paths.size(); i += step)
        every << paths[i];
    return every;
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The same files' texts, decoded as UTF-8.
inline QStringList corpusTexts(int step = 1) {
    QStringList texts;
    for (const QString& path : corpusFiles(step))
        texts << QString::fromUtf8(fileBytes(path));
    return texts;
}

// A generated benchmark text ("tag_1mb.qx", ...) from the folder QX_BENCH_TEXT_DIR names, else from the
// build's bench/texts (made by the target qx_bench_texts); a null string when it is not there.
inline QString generatedText(const QString& name) {
    QString folder = qEnvironmentVariable("QX_BENCH_TEXT_DIR");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../bench/texts");
    const QByteArray bytes = fileBytes(QDir(folder).filePath(name));
    return bytes.isNull() ? QString() : QString::fromLatin1(bytes);
}

} // namespace qx::test
