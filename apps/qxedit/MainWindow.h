#pragma once

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include <QMainWindow>
#include <QString>

class QAction;
class QActionGroup;
class QCheckBox;
class QKeySequence;
class QLabel;
class QMenu;

// The demo host: one control in a main window, with files, editing (the tag value dialog included), the code
// type and the views in menus.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Loads a document (a file or a resource path); false, after saying why, when it cannot be read.
    // Messages go to a message box unless quiet, then to the standard error stream.
    bool openFile(const QString& path, bool quiet = false);
    // The bundled tag-markup sample, as an untitled document.
    void openSample();
    qxcSCRIPTEditor* editor() const { return mEditor; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createFileMenu();
    void createEditMenu();
    void createCodeTypeMenu();
    void createViewMenu();
    // A menu item that shows a chord the control itself handles while it has the keyboard.
    static QAction* addItem(QMenu* menu, const QString& text, const QKeySequence& chord);

    // Opens the tag value dialog on the selected text and puts the result in its place.
    void editTagValue();
    void newDocument();
    void open();
    bool save();
    bool saveAs();
    bool saveTo(const QString& path);
    // Asks before unsaved changes are dropped: true when the caller may go on.
    bool maybeSave();
    void showDocument(const QString& text, const QString& path, const QString& displayName);
    void warn(const QString& message, bool quiet);

    void syncEditMenu();
    void syncCodeTypeMenu();
    void syncViewMenu();
    void updateTitle();
    // The caret's line and column in the status bar.
    void showCaret();

    qxcSCRIPTEditor* mEditor = nullptr;
    QCheckBox* mHighlightBox = nullptr;
    QString mPath;
    QString mDisplayName;
    QActionGroup* mCodeTypes = nullptr;
    QAction* mFullView = nullptr;
    QAction* mHighlight = nullptr;
    QAction* mLineNumbers = nullptr;
    QAction* mCurrentLine = nullptr;
    QAction* mLocked = nullptr;
    QLabel* mCaret = nullptr;
    QList<QAction*> mChangingItems; // refused while the control is locked
    QAction* mFind = nullptr;
    QAction* mFindNext = nullptr;
};
