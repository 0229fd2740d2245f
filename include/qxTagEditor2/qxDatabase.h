#pragma once

#include <qxTagEditor2/Export.h>

#include <QObject>
#include <QString>

// The host database object handed to the editor. Script reference objects accept only an object
// whose class name is exactly "qxDatabase"; it names the JSON file that holds the reference data
// (handler names, items, command syntax and value lists; see docs/hostlib-files.md).
class QXTAGEDITOR2_EXPORT qxDatabase : public QObject {
    Q_OBJECT

public:
    explicit qxDatabase(const QString& referenceFile = QString(), QObject* parent = nullptr);

    QString referenceFile() const { return mReferenceFile; }
    void setReferenceFile(const QString& path) { mReferenceFile = path; }

private:
    QString mReferenceFile;
};
