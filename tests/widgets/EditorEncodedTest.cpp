#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "hostlib/Library.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtStatusBar.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"
#include "widgets/QtEditBar.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using qx::EditorPrivate;

// Stepping into encoded values on the real control, with the keyboard and the edit bar's buttons.
class EditorEncodedTest : public ::testing::Test {
protected:
    EditorEncodedTest() {
        editor.resize(600, 400);
        editor.show();
        editor.activateWindow();
        d.txtCode->setFocus();
        QApplication::processEvents();
    }

    QPushButton* button(const char* name) { return d.picEditBar->button(QLatin1String(name)); }
    void ctrlE(int caret) {
        d.txtCode->setSelStart(caret);
        QTest::keyClick(d.txtCode, Qt::Key_E, Qt::ControlModifier);
    }

    qx::test::TempSettings settings;
    qxcSCRIPTEditor editor;
    EditorPrivate& d = EditorPrivate::of(editor);
};

TEST_F(EditorEncodedTest, CtrlEStepsInAndTheBackButtonStepsOut) {
    QSignalSpy areaChanges(&editor, &qxcSCRIPTEditor::EncodingAreaChange);
    editor.setValue("x=~64\"QUJD\"\r\nnext");
    ctrlE(7);
    EXPECT_EQ(d.txtCode->Text(), "ABC");
    EXPECT_TRUE(editor.EditingEncodedArea());
    EXPECT_EQ(d.sbr->PanelText("Level"), "2");
    EXPECT_TRUE(button("cmdBack")->isEnabled());
    EXPECT_FALSE(button("cmdEditEncoded")->isEnabled());

    QTest::keyClick(d.txtCode, Qt::Key_End);
    QTest::keyClicks(d.txtCode, "D");
    QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
    EXPECT_EQ(d.txtCode->Text(), "x=~64\"QUJDRA==\"\r\nnext");
    EXPECT_EQ(d.txtCode->SelText(), "QUJDRA==");
    EXPECT_FALSE(editor.EditingEncodedArea());
    EXPECT_EQ(d.sbr->PanelText("Level"), "1");
    EXPECT_TRUE(editor.Changed());
    EXPECT_TRUE(d.txtCode->hasFocus()) << "the keyboard is back in the box";
    EXPECT_EQ(areaChanges.size(), 3) << "in, out with the step, in again at the written value";
}

// The box shows a lone LF as CR LF; a visit that edits nothing still puts the stored bytes back.
TEST_F(EditorEncodedTest, AVisitKeepsStoredLineBreaksAsTheyWere) {
    const QString stored = qx::Library::instance().Base64Encode("a\nb");
    const QString text = "x=~64\"" + stored + "\"";
    editor.setValue(text);
    ctrlE(7);
    ASSERT_EQ(d.txtCode->Text(), "a\r\nb");
    QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
    EXPECT_EQ(editor.Value(), text);
    EXPECT_FALSE(editor.Changed());
}

} // namespace
