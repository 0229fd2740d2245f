#pragma once

#include <qxTagEditor2/Export.h>

#include <QObject>
#include <QPointer>
#include <QString>

// Lets a host have the user edit one tag value in a modal window, "Kelvane Tag Editor", that holds an
// editor control of its own: the same colouring, completion and stepping into encoded values as the main
// editor. Each EditValue builds a fresh window and discards it afterwards.
class QXTAGEDITOR2_EXPORT qxTagDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Cancel READ Cancel WRITE setCancel)
    Q_PROPERTY(QObject* Database READ Database WRITE setDatabase)

public:
    explicit qxTagDialog(QObject* parent = nullptr);
    ~qxTagDialog() override;

    // True after the last EditValue when the user did not confirm with OK; False until the first.
    bool Cancel() const { return mbCancel; }
    void setCancel(bool pbCancel) { mbCancel = pbCancel; }
    // The host's reference data for the window's editor, as qxcSCRIPTEditor::Database; none at first.
    QObject* Database() const { return moDatabase; }
    void setDatabase(QObject* poDatabase) { moDatabase = poDatabase; }

    // Opens the window on psValue and returns when it is closed: the whole edited text after OK (any
    // encoded value still open is written back first), psValue unchanged after any other way of closing.
    Q_INVOKABLE QString EditValue(const QString& psValue);

private:
    bool mbCancel = false;
    QPointer<QObject> moDatabase;
};
