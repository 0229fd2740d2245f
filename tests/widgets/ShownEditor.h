#pragma once

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "platform/qt/QtCodeBox.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"
#include "widgets/QtEditBar.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace qx::test {

// The control as a host shows it: in a window between two fields, active, the keyboard in the code box.
class ShownEditor : public ::testing::Test {
protected:
    ShownEditor() {
        auto* column = new QVBoxLayout(&window);
        column->addWidget(before);
        column->addWidget(editor, 1);
        column->addWidget(after);
        window.resize(700, 500);
        window.show();
        QApplication::setActiveWindow(&window);
        d.txtCode->setFocus();
        QApplication::processEvents();
    }

    void type(const QString& text) { QTest::keyClicks(d.txtCode, text); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(d.txtCode, key, modifiers);
    }
    QPushButton* button(const char* name) { return d.picEditBar->button(QLatin1String(name)); }
    // The host's text with the caret put where a user clicked.
    void show(const QString& text, int caret) {
        editor->setValue(text);
        d.txtCode->setSelStart(caret);
    }

    TempSettings settings;
    QWidget window;
    QLineEdit *before = new QLineEdit, *after = new QLineEdit;
    qxcSCRIPTEditor* editor = new qxcSCRIPTEditor;
    EditorPrivate& d = EditorPrivate::of(*editor);
};

} // namespace qx::test
