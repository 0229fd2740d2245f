#pragma once

#include <qxTagEditor2/CodeBox.h>
#include <qxTagEditor2/Export.h>
#include <qxTagEditor2/PropertyBag.h>
#include <qxTagEditor2/Version.h>
#include <qxTagEditor2/qxDatabase.h>
#include <qxTagEditor2/qxDiagnostic.h>
#include <qxTagEditor2/qxTagDialog.h>

#include <QPointer>
#include <QWidget>

#include <memory>

namespace qx {
class EditorPrivate;
}

// The script-editor control: a host places it on a form, sets and reads the script through Value, chooses
// the kind of code through CodeType, and drives find, replace, undo and redo through methods.
class QXTAGEDITOR2_EXPORT qxcSCRIPTEditor : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Value READ Value WRITE setValue NOTIFY textChanged)
    Q_PROPERTY(ctCodeType CodeType READ CodeType WRITE setCodeType NOTIFY codeTypeChanged)
    Q_PROPERTY(uint TagColour READ TagColour WRITE setTagColour NOTIFY tagColourChanged)
    Q_PROPERTY(uint EncodeColour READ EncodeColour WRITE setEncodeColour NOTIFY encodeColourChanged)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked NOTIFY lockedChanged)
    Q_PROPERTY(bool Changed READ Changed WRITE setChanged NOTIFY modificationChanged DESIGNABLE false)
    Q_PROPERTY(ctCodeType EffectiveCodeType READ EffectiveCodeType NOTIFY effectiveCodeTypeChanged)
    Q_PROPERTY(bool EditingEncodedArea READ EditingEncodedArea NOTIFY editingEncodedAreaChanged)
    Q_PROPERTY(bool RTFEditVisible READ RTFEditVisible WRITE setRTFEditVisible NOTIFY rtfEditVisibleChanged)
    Q_PROPERTY(bool AllVBCode READ AllVBCode WRITE setAllVBCode NOTIFY codeTypeChanged)
    Q_PROPERTY(QObject* Database READ Database WRITE setDatabase NOTIFY databaseChanged)
    Q_PROPERTY(bool FullView READ FullView WRITE setFullView NOTIFY fullViewChanged DESIGNABLE false)
    Q_PROPERTY(bool ShowFindButton READ ShowFindButton WRITE setShowFindButton NOTIFY showFindButtonChanged)
    Q_PROPERTY(
        bool FindMenusEnabled READ FindMenusEnabled WRITE setFindMenusEnabled NOTIFY findMenusEnabledChanged)
    // Run-time settings: never stored with the design-time properties.
    Q_PROPERTY(bool LineNumbers READ LineNumbers WRITE setLineNumbers NOTIFY lineNumbersChanged
                   DESIGNABLE false STORED false)
    Q_PROPERTY(bool HighlightCurrentLine READ HighlightCurrentLine WRITE setHighlightCurrentLine NOTIFY
                   highlightCurrentLineChanged DESIGNABLE false STORED false)
    Q_PROPERTY(int Zoom READ Zoom WRITE setZoom NOTIFY zoomChanged DESIGNABLE false STORED false)
    Q_PROPERTY(bool ShowMessages READ ShowMessages WRITE setShowMessages NOTIFY showMessagesChanged
                   DESIGNABLE false STORED false)
    Q_PROPERTY(bool GroupTypingUndo READ GroupTypingUndo WRITE setGroupTypingUndo NOTIFY
                   groupTypingUndoChanged DESIGNABLE false STORED false)
    Q_PROPERTY(bool LiveDiagnostics READ LiveDiagnostics WRITE setLiveDiagnostics NOTIFY
                   liveDiagnosticsChanged DESIGNABLE false STORED false)
    Q_PROPERTY(bool FindWrapAround READ FindWrapAround WRITE setFindWrapAround NOTIFY findWrapAroundChanged
                   DESIGNABLE false STORED false)
    Q_PROPERTY(bool FindFromCaret READ FindFromCaret WRITE setFindFromCaret NOTIFY findFromCaretChanged
                   DESIGNABLE false STORED false)

public:
    enum ctCodeType : int { ctKelvane = 0, ctVB = 1, ctAuto = 2 };
    Q_ENUM(ctCodeType)
    // frtWrapAround: a search without a start or an end that finds nothing after the caret goes on from the
    // top. frtFromCaret: a search without a start and with nothing selected starts at the caret, not at
    // the top.
    enum EnumFindReplaceType : int {
        frtWholeWord = 2,
        frtMatchCase = 4,
        frtNoHighlight = 8,
        frtWrapAround = 16,
        frtFromCaret = 32
    };
    Q_ENUM(EnumFindReplaceType)

    explicit qxcSCRIPTEditor(QWidget* parent = nullptr);
    ~qxcSCRIPTEditor() override;

    bool Changed() const;
    void setChanged(bool pbChanged);
    uint TagColour() const;
    void setTagColour(uint plTagColour);
    uint EncodeColour() const;
    void setEncodeColour(uint plEncodeColour);
    ctCodeType CodeType() const;
    void setCodeType(ctCodeType plCodeType);
    bool Locked() const;
    void setLocked(bool pbLocked);
    // Closes the popups when the member list is shown.
    void LostFocus();
    QString Value();
    void SetSelText(const QString& psText);
    void setValue(const QString& psValue);
    ctCodeType EffectiveCodeType() const;
    bool EditingEncodedArea() const;
    bool RTFEditVisible() const;
    void setRTFEditVisible(bool pbVisible);
    bool AllVBCode() const;
    void setAllVBCode(bool pbAllVBCode);
    QObject* Database() const;
    void setDatabase(QObject* poDatabase);
    bool FullView() const;
    void setFullView(bool pbFullView);
    bool ShowFindButton() const;
    void setShowFindButton(bool pbShowFindButton);
    bool FindMenusEnabled() const;
    void setFindMenusEnabled(bool pbFindMenusEnabled);
    // Line numbers in a gutter left of the text; off at first.
    bool LineNumbers() const;
    void setLineNumbers(bool pbLineNumbers);
    // A background on the caret's line; off at first.
    bool HighlightCurrentLine() const;
    void setHighlightCurrentLine(bool pbHighlight);
    // The code font's size in points above (negative: below) its normal size; 0 at first. Ctrl+wheel,
    // Ctrl+=, Ctrl+- and Ctrl+0 in the code box change it too.
    int Zoom() const;
    void setZoom(int plSteps);
    // Whether the control shows its messages in message boxes; true at first. Every message is raised as
    // messageRequested either way, so that a host can show it its own way.
    bool ShowMessages() const;
    void setShowMessages(bool pbShow);
    // Typed characters of one word make one undo step instead of one step each; a caret move, a pause of
    // more than a second or any other change ends the word's step. Off at first.
    bool GroupTypingUndo() const;
    void setGroupTypingUndo(bool pbGroup);
    // The script is checked while the user types: what is wrong (a tag without its partner, a handler or
    // command the reference data does not list, an encoded value that does not decode, an unclosed string,
    // a block keyword without its partner) is underlined in the view, with the gutter marking its line and
    // the tooltip saying what is wrong; F8 and Shift+F8 go to the next and previous finding. The marks are
    // an overlay: the text, its colours and its history are untouched. Off at first.
    bool LiveDiagnostics() const;
    void setLiveDiagnostics(bool pbLive);
    // The findings for the text the code box shows now (at the encoded level shown), sorted by start;
    // checked on demand when LiveDiagnostics is off.
    QList<qxDiagnostic> Diagnostics() const;
    // How the find dialog's "Wrap around" and "Start at the caret" are set when it opens for this
    // control; off at first. The dialog's Find Next, F3 and Shift+F3 follow its check boxes.
    bool FindWrapAround() const;
    void setFindWrapAround(bool pbWrap);
    bool FindFromCaret() const;
    void setFindFromCaret(bool pbFromCaret);

    // Searching in the text: positions are zero-based, -1 means not given; the result is the position of
    // the match, or -1. Find selects the match unless frtNoHighlight is given, and without a start goes on
    // after the selection. FindNext repeats the last successful Find, and gives 0 when there was none.
    // Replace replaces the next match (from the caret when no start is given), never inside an encoded
    // value.
    long Find(const QString& psFind, long plFindFromPosition = -1, long plFindToPosition = -1,
              long plOptions = 0);
    long FindNext();
    long Replace(const QString& psFind, const QString& psReplace, long plFindFromPosition = -1,
                 long plFindToPosition = -1, long plOptions = 0);
    // Replaces every match in the text, except inside an encoded value, as one undo step; the number
    // replaced, or -1 for an empty search text. CountMatches counts the matches Find would step through.
    long ReplaceAll(const QString& psFind, const QString& psReplace, long plOptions = 0);
    long CountMatches(const QString& psFind, long plOptions = 0);
    // Puts the caret at the start of a line (one-based, as the "Line" panel counts); a line out of range goes
    // to the nearest one. Ctrl+G in the code box asks the user for a line.
    void GoToLine(int line);

    // Persisted design-time properties, read when a stored control is loaded and written when the host saves.
    void ReadProperties(qx::PropertyBag& bag);
    void WriteProperties(qx::PropertyBag& bag);

    // The code box, for hosts and tests that need to reach the text box itself.
    qx::CodeBox& txtCode() const;

public Q_SLOTS:
    // Restore the text and caret before the last typed change, and back again.
    void Undo();
    void Redo();
    // The clipboard items of the control's menu, as a user's actions: Cut and Paste are one undo step each
    // and are refused inside an encoded value and on a locked control.
    void Cut();
    void Copy();
    void Paste();
    void SelectAll();

Q_SIGNALS:
    // The caret moved into an encoded area (true) or out of one (false).
    void EncodingAreaChange(bool pbEnabled);
    // Part of the interface for hosts; the control never raises it.
    void SelChange(long plCharPos, long plLinePos, long plColumnPos);

    // Change notifications, each raised once per change, by a user's action or a host's call alike, once
    // the action or call is done (docs/api.md says which raise which).
    // The script changed: typing, editing inside an encoded value, Undo, Redo, setValue, SetSelText.
    // Stepping into or out of a value does not change the script.
    void textChanged();
    void modificationChanged(bool changed);
    // The caret or either end of the selection moved.
    void cursorPositionChanged();
    // The selected text changed (a caret moving without a selection changes none).
    void selectionChanged();
    void undoAvailable(bool available);
    void redoAvailable(bool available);
    // The encoded level shown: 1 is the whole script.
    void levelChanged(int level);
    void editingEncodedAreaChanged(bool editing);
    void codeTypeChanged(ctCodeType codeType);
    void effectiveCodeTypeChanged(ctCodeType codeType);
    void tagColourChanged(uint colour);
    void encodeColourChanged(uint colour);
    void lockedChanged(bool locked);
    void fullViewChanged(bool fullView);
    void rtfEditVisibleChanged(bool visible);
    void showFindButtonChanged(bool show);
    void findMenusEnabledChanged(bool enabled);
    void databaseChanged(QObject* database);
    void lineNumbersChanged(bool shown);
    void highlightCurrentLineChanged(bool highlighted);
    void zoomChanged(int steps);
    void showMessagesChanged(bool show);
    void groupTypingUndoChanged(bool grouped);
    void liveDiagnosticsChanged(bool live);
    // While LiveDiagnostics is on: a check after an edit found other findings than the one before, or the
    // edit took findings away.
    void diagnosticsChanged();
    void findWrapAroundChanged(bool wrap);
    void findFromCaretChanged(bool fromCaret);
    // A message for the user ("Text can not be found", a value that does not decode, ...), raised before
    // the control shows it, and also while ShowMessages is false, when it shows none. icon is a
    // QMessageBox::Icon.
    void messageRequested(const QString& title, const QString& text, int icon);

public:
    // What the control asks of a layout: a code box of 80 x 24 characters in the code font and the bars;
    // at least 20 x 3. The control grows both ways (Expanding), as Qt's text editors do.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // A translator installed or removed: every text is shown anew in its language.
    void changeEvent(QEvent* event) override;
    // Hiding the control closes and unloads its popups.
    void hideEvent(QHideEvent* event) override;

private:
    friend class qx::EditorPrivate;
    std::unique_ptr<qx::EditorPrivate> d;
};
