#pragma once

#include <QListWidget>

class qxcSCRIPTEditor;

// The editor's findings under it, one line each ("Line 3: ..."), kept current from diagnosticsChanged;
// Return or a double click on one puts the caret on it and the keyboard back in the editor.
class ProblemList : public QListWidget {
    Q_OBJECT

public:
    explicit ProblemList(qxcSCRIPTEditor* editor, QWidget* parent = nullptr);

private:
    void refresh();
    void goTo(QListWidgetItem* item);

    qxcSCRIPTEditor* mEditor;
};
