#pragma once

#include <QMainWindow>
#include <QTranslator>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class qxcSCRIPTEditor;

// A tabbed script IDE: one script editor control per tab. The window follows the controls through their
// signals only: a "*" in the tab title while a script is modified, Undo and Redo enabled as the current
// control allows, the caret's line and the encoded level in the status bar, and the controls' messages
// shown in the status bar instead of message boxes.
class IdeWindow final : public QMainWindow {
    Q_OBJECT

public:
    IdeWindow();

    void openFile(const QString& path);
    void setDark(bool dark);
    void setGerman(bool german);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    qxcSCRIPTEditor* addTab(const QString& path, const QString& text);
    qxcSCRIPTEditor* current() const;
    qxcSCRIPTEditor* editorAt(int index) const;
    void updateTitle(qxcSCRIPTEditor* editor);
    void followCurrent();
    void showCaret();
    bool save(qxcSCRIPTEditor* editor);
    // Asks about unsaved changes; false when the user cancels.
    bool mayClose(qxcSCRIPTEditor* editor);
    void closeTab(int index);
    void createActions();
    void retranslate();
    QString text(const char* english, const char* german) const;

    QTabWidget* mTabs = nullptr;
    QLabel* mCaret = nullptr;
    QLabel* mLevel = nullptr;
    QMenu *mFile = nullptr, *mEdit = nullptr, *mView = nullptr, *mLanguage = nullptr;
    QAction *mNew = nullptr, *mOpen = nullptr, *mSave = nullptr, *mClose = nullptr, *mQuit = nullptr;
    QAction *mUndo = nullptr, *mRedo = nullptr, *mCut = nullptr, *mCopy = nullptr, *mPaste = nullptr;
    QAction *mSelectAll = nullptr, *mFindInFiles = nullptr;
    QAction *mDark = nullptr, *mLineNumbers = nullptr, *mEnglish = nullptr, *mGerman = nullptr;
    QTranslator mTranslator;
    bool mIsGerman = false;
    int mUntitled = 0;
    QList<QMetaObject::Connection> mCurrentConnections;
};
