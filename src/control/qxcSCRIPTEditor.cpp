#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "control/EditorPrivate.h"
#include "control/EditorSettings.h"
#include "platform/qt/QtCodeBox.h"

#include <QAction>
#include <QPushButton>

using qx::EditorPrivate;

qxcSCRIPTEditor::qxcSCRIPTEditor(QWidget* parent)
    : QWidget(parent)
    , d(std::make_unique<EditorPrivate>(this)) {}

qxcSCRIPTEditor::~qxcSCRIPTEditor() = default;

void qxcSCRIPTEditor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->LayOut();
}

void qxcSCRIPTEditor::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    d->UnloadPopups();
}

bool qxcSCRIPTEditor::Changed() const {
    return d->mbChanged;
}
void qxcSCRIPTEditor::setChanged(bool pbChanged) {
    d->mbChanged = pbChanged;
}

uint qxcSCRIPTEditor::TagColour() const {
    return d->mlTagColour;
}
void qxcSCRIPTEditor::setTagColour(uint plTagColour) {
    d->mlTagColour = plTagColour;
    d->HighlightPass();
}

uint qxcSCRIPTEditor::EncodeColour() const {
    return d->mlEncodeColour;
}
void qxcSCRIPTEditor::setEncodeColour(uint plEncodeColour) {
    d->mlEncodeColour = plEncodeColour;
    d->HighlightPass();
}

qxcSCRIPTEditor::ctCodeType qxcSCRIPTEditor::CodeType() const {
    return d->mlCodeType;
}
void qxcSCRIPTEditor::setCodeType(ctCodeType plCodeType) {
    if (plCodeType == d->mlCodeType)
        return;
    d->mlCodeType = plCodeType;
    d->HighlightPass();
}

bool qxcSCRIPTEditor::Locked() const {
    return d->txtCode->Locked();
}
void qxcSCRIPTEditor::setLocked(bool pbLocked) {
    d->txtCode->setLocked(pbLocked);
}

void qxcSCRIPTEditor::LostFocus() {
    d->ClosePopups();
}

QString qxcSCRIPTEditor::Value() {
    return d->txtCode->Text();
}

void qxcSCRIPTEditor::SetSelText(const QString& psText) {
    d->txtCode->setSelText(psText);
}

// The control's own change: no change handling, no undo entry, Changed untouched; coloured at once.
void qxcSCRIPTEditor::setValue(const QString& psValue) {
    d->mbBusy = true;
    d->txtCode->setText(psValue);
    d->mbBusy = false;
    d->HighlightPass();
}

qxcSCRIPTEditor::ctCodeType qxcSCRIPTEditor::EffectiveCodeType() const {
    return d->effectiveCodeType();
}

bool qxcSCRIPTEditor::EditingEncodedArea() const {
    return d->mlLevel != 1;
}

// Visibility here is the button's own flag, not whether it is on screen now.
bool qxcSCRIPTEditor::RTFEditVisible() const {
    return !d->cmdRTF->isHidden();
}
void qxcSCRIPTEditor::setRTFEditVisible(bool pbVisible) {
    d->cmdRTF->setVisible(pbVisible);
}

bool qxcSCRIPTEditor::AllVBCode() const {
    return CodeType() == ctVB;
}
void qxcSCRIPTEditor::setAllVBCode(bool pbAllVBCode) {
    if (pbAllVBCode)
        setCodeType(ctVB);
}

QObject* qxcSCRIPTEditor::Database() const {
    return d->moDatabase;
}
void qxcSCRIPTEditor::setDatabase(QObject* poDatabase) {
    d->moDatabase = poDatabase;
}

bool qxcSCRIPTEditor::FullView() const {
    return d->mbFullView;
}
void qxcSCRIPTEditor::setFullView(bool pbFullView) {
    d->mbFullView = pbFullView;
    try {
        qx::EditorSettings::setFullView(pbFullView);
    } catch (const std::exception& e) {
        qWarning("qxcSCRIPTEditor: the view setting was not saved: %s", e.what());
    }
    d->SetMenuCaptions();
    d->LayOut();
}

bool qxcSCRIPTEditor::ShowFindButton() const {
    return d->mbShowFindButton;
}
void qxcSCRIPTEditor::setShowFindButton(bool pbShowFindButton) {
    d->mbShowFindButton = pbShowFindButton;
    d->cmdFind->setVisible(pbShowFindButton);
}

bool qxcSCRIPTEditor::FindMenusEnabled() const {
    return d->mbFindMenusEnabled;
}
void qxcSCRIPTEditor::setFindMenusEnabled(bool pbFindMenusEnabled) {
    d->mbFindMenusEnabled = pbFindMenusEnabled;
    for (QAction* item : {d->mnuFind, d->mnuFindNext}) {
        item->setVisible(pbFindMenusEnabled);
        item->setEnabled(pbFindMenusEnabled);
    }
}

void qxcSCRIPTEditor::Undo() {
    d->mUndo->Undo();
}

void qxcSCRIPTEditor::Redo() {
    d->mUndo->Redo();
}

// Each read is in the stored order; the flags for Find are read into their fields only.
void qxcSCRIPTEditor::ReadProperties(qx::PropertyBag& bag) {
    setRTFEditVisible(bag.ReadProperty(QStringLiteral("RTFEditVisible"), false).toBool());
    d->mbShowHiddenHandlers = bag.ReadProperty(QStringLiteral("ShowHiddenHandlers"), false).toBool();
    d->mlCodeType = static_cast<ctCodeType>(bag.ReadProperty(QStringLiteral("CodeType"), 0).toInt());
    setLocked(bag.ReadProperty(QStringLiteral("Locked"), Locked()).toBool());
    d->mlEncodeColour = bag.ReadProperty(QStringLiteral("EncodeColour"), d->mlEncodeColour).toUInt();
    d->mlTagColour = bag.ReadProperty(QStringLiteral("TagColour"), d->mlTagColour).toUInt();
    d->mbFindMenusEnabled = bag.ReadProperty(QStringLiteral("FindMenusEnabled"), true).toBool();
    d->mbShowFindButton = bag.ReadProperty(QStringLiteral("ShowFindButton"), true).toBool();
}

// The colours carry no default: they are always stored.
void qxcSCRIPTEditor::WriteProperties(qx::PropertyBag& bag) {
    bag.WriteProperty(QStringLiteral("RTFEditVisible"), RTFEditVisible(), false);
    bag.WriteProperty(QStringLiteral("ShowHiddenHandlers"), d->mbShowHiddenHandlers, false);
    bag.WriteProperty(QStringLiteral("CodeType"), static_cast<int>(d->mlCodeType), 0);
    bag.WriteProperty(QStringLiteral("Locked"), Locked(), false);
    bag.WriteProperty(QStringLiteral("EncodeColour"), d->mlEncodeColour, QVariant());
    bag.WriteProperty(QStringLiteral("TagColour"), d->mlTagColour, QVariant());
    bag.WriteProperty(QStringLiteral("FindMenusEnabled"), d->mbFindMenusEnabled, true);
    bag.WriteProperty(QStringLiteral("ShowFindButton"), d->mbShowFindButton, true);
}

qx::CodeBox& qxcSCRIPTEditor::txtCode() const {
    return *d->txtCode;
}
