#include <qxTagEditor2/qxDatabase.h>

qxDatabase::qxDatabase(const QString& referenceFile, QObject* parent)
    : QObject(parent)
    , mReferenceFile(referenceFile) {}
