#include "ProblemList.h"

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include <QStyle>

ProblemList::ProblemList(qxcSCRIPTEditor* editor, QWidget* parent)
    : QListWidget(parent)
    , mEditor(editor) {
    setObjectName(QStringLiteral("problems"));
    setAccessibleName(QStringLiteral("Problems"));
    connect(editor, &qxcSCRIPTEditor::diagnosticsChanged, this, &ProblemList::refresh);
    // Stepping into or out of a value shows another text, with findings of its own.
    connect(editor, &qxcSCRIPTEditor::levelChanged, this, &ProblemList::refresh);
    connect(this, &QListWidget::itemActivated, this, &ProblemList::goTo);
    refresh();
}

void ProblemList::refresh() {
    clear();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const qxDiagnostic& found : mEditor->Diagnostics()) {
        const int line = mEditor->txtCode().GetLineFromChar(found.start) + 1;
        auto* item = new QListWidgetItem(found.severity == qxDiagnostic::Severity::Error ? error : warning,
                                         QStringLiteral("Line %1: %2").arg(line).arg(found.message), this);
        item->setData(Qt::UserRole, found.start);
    }
}

// The findings may have moved with the edits since the list was made: the caret goes where the list says,
// within the text.
void ProblemList::goTo(QListWidgetItem* item) {
    qx::CodeBox& box = mEditor->txtCode();
    box.setSelStart(qMin(item->data(Qt::UserRole).toInt(), box.TextLength()));
    box.SetFocus();
}
