#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "control/EditorLayout.h"
#include "platform/EntryGuard.h"
#include "platform/qt/QtCodeBox.h"
#include "widgets/EditorPrivate.h"

#include <QEvent>

#include <limits>

using qx::EditorPrivate;

qxcSCRIPTEditor::qxcSCRIPTEditor(QWidget* parent)
    : QWidget(parent)
    , d(std::make_unique<EditorPrivate>(this)) {}

qxcSCRIPTEditor::~qxcSCRIPTEditor() = default;

QSize qxcSCRIPTEditor::sizeHint() const {
    return d->sizeFor(qx::kHintColumns, qx::kHintLines);
}
QSize qxcSCRIPTEditor::minimumSizeHint() const {
    return d->sizeFor(qx::kMinimumColumns, qx::kMinimumLines);
}

void qxcSCRIPTEditor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->LayOut();
}

void qxcSCRIPTEditor::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        qx::runEntry("Language change", [this] { d->retranslate(); });
}

void qxcSCRIPTEditor::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    d->controller().UnloadPopups();
}

bool qxcSCRIPTEditor::Changed() const {
    return d->state().mbChanged;
}
void qxcSCRIPTEditor::setChanged(bool pbChanged) {
    d->controller().setChanged(pbChanged);
}

uint qxcSCRIPTEditor::TagColour() const {
    return d->state().mlTagColour;
}
void qxcSCRIPTEditor::setTagColour(uint plTagColour) {
    d->controller().setTagColour(plTagColour);
}

uint qxcSCRIPTEditor::EncodeColour() const {
    return d->state().mlEncodeColour;
}
void qxcSCRIPTEditor::setEncodeColour(uint plEncodeColour) {
    d->controller().setEncodeColour(plEncodeColour);
}

qxcSCRIPTEditor::ctCodeType qxcSCRIPTEditor::CodeType() const {
    return static_cast<ctCodeType>(d->controller().CodeType());
}
void qxcSCRIPTEditor::setCodeType(ctCodeType plCodeType) {
    d->controller().setCodeType(plCodeType);
}

bool qxcSCRIPTEditor::Locked() const {
    return d->txtCode->Locked();
}
void qxcSCRIPTEditor::setLocked(bool pbLocked) {
    d->controller().setLocked(pbLocked);
}

void qxcSCRIPTEditor::LostFocus() {
    d->controller().ClosePopups();
}

QString qxcSCRIPTEditor::Value() {
    return d->controller().Value();
}

void qxcSCRIPTEditor::SetSelText(const QString& psText) {
    d->controller().SetSelText(psText);
}

void qxcSCRIPTEditor::setValue(const QString& psValue) {
    d->controller().setValue(psValue);
}

qxcSCRIPTEditor::ctCodeType qxcSCRIPTEditor::EffectiveCodeType() const {
    return static_cast<ctCodeType>(d->controller().EffectiveCodeType());
}

bool qxcSCRIPTEditor::EditingEncodedArea() const {
    return d->state().mlLevel != 1;
}

bool qxcSCRIPTEditor::RTFEditVisible() const {
    return d->controller().RTFEditVisible();
}
void qxcSCRIPTEditor::setRTFEditVisible(bool pbVisible) {
    d->controller().setRTFEditVisible(pbVisible);
}

bool qxcSCRIPTEditor::AllVBCode() const {
    return CodeType() == ctVB;
}
void qxcSCRIPTEditor::setAllVBCode(bool pbAllVBCode) {
    if (pbAllVBCode)
        setCodeType(ctVB);
}

QObject* qxcSCRIPTEditor::Database() const {
    return d->state().moDatabase;
}
void qxcSCRIPTEditor::setDatabase(QObject* poDatabase) {
    d->controller().setDatabase(poDatabase);
}

bool qxcSCRIPTEditor::FullView() const {
    return d->state().mbFullView;
}
void qxcSCRIPTEditor::setFullView(bool pbFullView) {
    d->controller().setFullView(pbFullView);
}

bool qxcSCRIPTEditor::ShowFindButton() const {
    return d->state().mbShowFindButton;
}
void qxcSCRIPTEditor::setShowFindButton(bool pbShowFindButton) {
    d->controller().setShowFindButton(pbShowFindButton);
}

bool qxcSCRIPTEditor::FindMenusEnabled() const {
    return d->state().mbFindMenusEnabled;
}
void qxcSCRIPTEditor::setFindMenusEnabled(bool pbFindMenusEnabled) {
    d->controller().setFindMenusEnabled(pbFindMenusEnabled);
}

bool qxcSCRIPTEditor::LineNumbers() const {
    return d->txtCode->LineNumbers();
}
void qxcSCRIPTEditor::setLineNumbers(bool pbLineNumbers) {
    if (pbLineNumbers == LineNumbers())
        return;
    d->txtCode->setLineNumbers(pbLineNumbers);
    Q_EMIT lineNumbersChanged(pbLineNumbers);
}

bool qxcSCRIPTEditor::HighlightCurrentLine() const {
    return d->txtCode->HighlightCurrentLine();
}
void qxcSCRIPTEditor::setHighlightCurrentLine(bool pbHighlight) {
    if (pbHighlight == HighlightCurrentLine())
        return;
    d->txtCode->setHighlightCurrentLine(pbHighlight);
    Q_EMIT highlightCurrentLineChanged(pbHighlight);
}

int qxcSCRIPTEditor::Zoom() const {
    return d->txtCode->zoom();
}
void qxcSCRIPTEditor::setZoom(int plSteps) {
    d->txtCode->setZoom(plSteps);
}

bool qxcSCRIPTEditor::ShowMessages() const {
    return d->state().mbShowMessages;
}
void qxcSCRIPTEditor::setShowMessages(bool pbShow) {
    if (pbShow == ShowMessages())
        return;
    d->state().mbShowMessages = pbShow;
    Q_EMIT showMessagesChanged(pbShow);
}

bool qxcSCRIPTEditor::GroupTypingUndo() const {
    return d->state().mbGroupTypingUndo;
}
void qxcSCRIPTEditor::setGroupTypingUndo(bool pbGroup) {
    if (pbGroup == GroupTypingUndo())
        return;
    d->state().mbGroupTypingUndo = pbGroup;
    Q_EMIT groupTypingUndoChanged(pbGroup);
}

bool qxcSCRIPTEditor::LiveDiagnostics() const {
    return d->state().mbLiveDiagnostics;
}
void qxcSCRIPTEditor::setLiveDiagnostics(bool pbLive) {
    if (pbLive == LiveDiagnostics())
        return;
    d->controller().setLiveDiagnostics(pbLive);
    Q_EMIT liveDiagnosticsChanged(pbLive);
}

QList<qxDiagnostic> qxcSCRIPTEditor::Diagnostics() const {
    return d->controller().Diagnostics();
}

bool qxcSCRIPTEditor::FindWrapAround() const {
    return d->state().mbFindWrapAround;
}
void qxcSCRIPTEditor::setFindWrapAround(bool pbWrap) {
    if (pbWrap == FindWrapAround())
        return;
    d->state().mbFindWrapAround = pbWrap;
    Q_EMIT findWrapAroundChanged(pbWrap);
}

bool qxcSCRIPTEditor::FindFromCaret() const {
    return d->state().mbFindFromCaret;
}
void qxcSCRIPTEditor::setFindFromCaret(bool pbFromCaret) {
    if (pbFromCaret == FindFromCaret())
        return;
    d->state().mbFindFromCaret = pbFromCaret;
    Q_EMIT findFromCaretChanged(pbFromCaret);
}

namespace {
// Positions beyond an int are no positions in the text.
int position(long value) {
    return value < -1 || value > std::numeric_limits<int>::max() ? -2 : int(value);
}
} // namespace

long qxcSCRIPTEditor::Find(const QString& psFind, long plFindFromPosition, long plFindToPosition,
                           long plOptions) {
    return d->controller().Find(psFind, position(plFindFromPosition), position(plFindToPosition),
                                int(plOptions));
}

long qxcSCRIPTEditor::FindNext() {
    return d->controller().FindNext();
}

long qxcSCRIPTEditor::Replace(const QString& psFind, const QString& psReplace, long plFindFromPosition,
                              long plFindToPosition, long plOptions) {
    return d->controller().Replace(psFind, psReplace, position(plFindFromPosition),
                                   position(plFindToPosition), int(plOptions));
}

long qxcSCRIPTEditor::ReplaceAll(const QString& psFind, const QString& psReplace, long plOptions) {
    return d->controller().ReplaceAll(psFind, psReplace, int(plOptions));
}

long qxcSCRIPTEditor::CountMatches(const QString& psFind, long plOptions) {
    return d->controller().CountMatches(psFind, int(plOptions)).total;
}

void qxcSCRIPTEditor::GoToLine(int line) {
    d->controller().GoToLine(line);
}

void qxcSCRIPTEditor::Undo() {
    d->controller().Undo();
}

void qxcSCRIPTEditor::Redo() {
    d->controller().Redo();
}

void qxcSCRIPTEditor::Cut() {
    d->controller().MenuChosen({qx::MenuItem::Cut});
}

void qxcSCRIPTEditor::Copy() {
    d->controller().MenuChosen({qx::MenuItem::Copy});
}

void qxcSCRIPTEditor::Paste() {
    d->controller().MenuChosen({qx::MenuItem::Paste});
}

void qxcSCRIPTEditor::SelectAll() {
    d->controller().SelectAll();
}

void qxcSCRIPTEditor::ReadProperties(qx::PropertyBag& bag) {
    d->controller().ReadProperties(bag);
}

void qxcSCRIPTEditor::WriteProperties(qx::PropertyBag& bag) {
    d->controller().WriteProperties(bag);
}

qx::CodeBox& qxcSCRIPTEditor::txtCode() const {
    return *d->txtCode;
}
