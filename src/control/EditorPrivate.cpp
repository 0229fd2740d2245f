#include "control/EditorPrivate.h"

#include "control/EditorSettings.h"
#include "platform/WindowLock.h"
#include "platform/qt/QtCodeBox.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>

namespace qx {

EditorPrivate::EditorPrivate(qxcSCRIPTEditor* owner)
    : q(owner) {
    createWidgets();
    createMenu();
    start();
}

EditorPrivate::~EditorPrivate() {
    if (txtCode) {
        txtCode->setEvents(nullptr);
        WindowLock::forget(txtCode);
    }
}

EditorPrivate& EditorPrivate::of(qxcSCRIPTEditor& editor) { return *editor.d; }

void EditorPrivate::createWidgets() {
    picEditBar = new QWidget(q);
    picEditBar->setObjectName(QStringLiteral("picEditBar"));
    auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, picEditBar);
        button->setObjectName(QLatin1String(name));
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    cmdBack = makeButton("cmdBack", QStringLiteral("Back"));
    cmdEditEncoded = makeButton("cmdEditEncoded", QStringLiteral("Edit"));
    cmdRTF = makeButton("cmdRTF", QStringLiteral("RTF"));
    cmdFind = makeButton("cmdFind", QStringLiteral("Find"));
    chkSyntaxHighlight = new QCheckBox(QStringLiteral("Syntax Highlighting"), picEditBar);
    chkSyntaxHighlight->setObjectName(QStringLiteral("chkSyntaxHighlight"));
    chkSyntaxHighlight->setFocusPolicy(Qt::NoFocus);

    txtCode = new QtCodeBox(q);
    txtCode->setObjectName(QStringLiteral("txtCode"));
    txtCode->setEvents(this);

    tmrDelayedSyntaxHighlight.setInterval(150);
    tmrForegroundCheck.setInterval(1000);
}

void EditorPrivate::createMenu() {
    mnuPopup = new QMenu(q);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuPopup->setTitle(QStringLiteral("Popup Menu"));
    mnuFind = mnuPopup->addAction(QStringLiteral("Find && Replace"));
    mnuFind->setObjectName(QStringLiteral("mnuFind"));
    mnuFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuFindNext = mnuPopup->addAction(QStringLiteral("Find Next"));
    mnuFindNext->setObjectName(QStringLiteral("mnuFindNext"));
    mnuFindNext->setShortcut(QKeySequence(Qt::Key_F3));
    mnuPopup->addSeparator();
    mnuSyntaxHighlight = mnuPopup->addAction(QString());
    mnuSyntaxHighlight->setObjectName(QStringLiteral("mnuSyntaxHighlight"));
    mnuFullView = mnuPopup->addAction(QString());
    mnuFullView->setObjectName(QStringLiteral("mnuFullView"));
    // Shortcuts are shown in the menu only; the code box's key handling owns the keys themselves.
    for (QAction* action : mnuPopup->actions())
        action->setShortcutContext(Qt::WidgetShortcut);
}

// Creation, in order: colours and levels, the per-user settings, the captions, the undo and redo stacks.
void EditorPrivate::start() {
    mlEncodeColour = 0x808080;
    mlTagColour = 0x000080;
    mlLevel = 1;
    masLevelText = QStringList{QString(), QString()};
    mpcFavourites = std::make_unique<Properties>();

    const int highlighting = EditorSettings::syntaxHighlighting();
    QObject::connect(chkSyntaxHighlight, &QCheckBox::stateChanged, q,
                     [this](int) { SyntaxHighlightClicked(); });
    chkSyntaxHighlight->setChecked(highlighting != 0);
    mbFullView = EditorSettings::fullView();
    SetMenuCaptions();

    mpcUndo = std::make_unique<Properties>();
    mpcRedo = std::make_unique<Properties>();
}

bool EditorPrivate::highlightingOn() const { return chkSyntaxHighlight->isChecked(); }

qxcSCRIPTEditor::ctCodeType EditorPrivate::effectiveCodeType() const {
    if (mlCodeType != qxcSCRIPTEditor::ctAuto)
        return mlCodeType;
    const QString start = txtCode->Text().left(4);
    if (start == QLatin1String("<QX:") || start == QLatin1String("{\\rt"))
        return qxcSCRIPTEditor::ctKelvane;
    return qxcSCRIPTEditor::ctVB;
}

void EditorPrivate::LayOut() {
    picEditBar->setVisible(!mbFullView);
    const int top = mbFullView ? 0 : picEditBar->sizeHint().height();
    txtCode->Move(0, top, q->width(), q->height() - top);
}

void EditorPrivate::HighlightPass() {
    if (!highlightingOn())
        return;
    ++mPassCount;
}

void EditorPrivate::RequestDelayedPass() {
    tmrDelayedSyntaxHighlight.setEnabled(false);
    tmrDelayedSyntaxHighlight.setEnabled(true);
}

// The check box's reaction: keep the choice for the user, give the keyboard back, re-colour, re-caption.
void EditorPrivate::SyntaxHighlightClicked() {
    try {
        EditorSettings::setSyntaxHighlighting(highlightingOn());
    } catch (const std::exception& e) {
        qWarning("qxcSCRIPTEditor: the highlighting setting was not saved: %s", e.what());
    }
    txtCode->SetFocus();
    HighlightPass();
    SetMenuCaptions();
}

void EditorPrivate::SetMenuCaptions() {
    mnuFullView->setText(mbFullView ? QStringLiteral("Advanced View") : QStringLiteral("Full View"));
    mnuSyntaxHighlight->setText(highlightingOn() ? QStringLiteral("Disable Syntax Highlight")
                                                 : QStringLiteral("Enable Syntax Highlight"));
}

void EditorPrivate::ClosePopups() {}

} // namespace qx
