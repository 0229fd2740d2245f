#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "hostlib/Library.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"
#include "widgets/QtEditBar.h"

#include <QAction>
#include <QCheckBox>

#include <gtest/gtest.h>

#include <memory>

namespace {

using qx::EditorPrivate;
using qx::Library;
using qx::RegistryRoot;

const QString kKey = QStringLiteral("Software\\Kelvane\\Script Editor");

// The two per-user values and the views they give a new control.
class EditorViewSettingsTest : public ::testing::Test {
protected:
    qx::test::TempSettings settings;

    void store(const QString& name, const QString& value) {
        Library::instance().WriteRegistry(RegistryRoot::CurrentUser, kKey, name, value);
    }
    QString stored(const QString& name) {
        return Library::instance().ReadRegistry(RegistryRoot::CurrentUser, kKey, name, QStringLiteral("?"));
    }
    static QAction* action(qxcSCRIPTEditor& editor, const char* name) {
        return editor.findChild<QAction*>(QLatin1String(name));
    }
};

TEST_F(EditorViewSettingsTest, WithoutSettingsHighlightingIsOnAndTheEditBarShown) {
    qxcSCRIPTEditor editor;
    editor.resize(500, 300);
    editor.show();
    EditorPrivate& d = EditorPrivate::of(editor);
    EXPECT_TRUE(d.chkSyntaxHighlight->isChecked());
    EXPECT_FALSE(editor.FullView());
    EXPECT_TRUE(d.picEditBar->isVisible());
    EXPECT_EQ(action(editor, "mnuFullView")->text(), "Full View");
    EXPECT_EQ(action(editor, "mnuSyntaxHighlight")->text(), "Disable Syntax Highlight");
    EXPECT_EQ(stored("FullView"), "?") << "reading the view writes nothing";
}

TEST_F(EditorViewSettingsTest, OnlyTheText1MeansFullView) {
    for (const char* value : {"true", "2", "", "01", " 1"}) {
        store("FullView", value);
        qxcSCRIPTEditor editor;
        EXPECT_FALSE(editor.FullView()) << value;
        EXPECT_EQ(action(editor, "mnuFullView")->text(), "Full View") << value;
    }
    store("FullView", "1");
    qxcSCRIPTEditor editor;
    EXPECT_TRUE(editor.FullView());
    EXPECT_EQ(action(editor, "mnuFullView")->text(), "Advanced View");
}

TEST_F(EditorViewSettingsTest, StoredHighlightingOffClearsTheCheckBox) {
    store("Syntax Highlighting", "0");
    qxcSCRIPTEditor editor;
    EXPECT_FALSE(EditorPrivate::of(editor).chkSyntaxHighlight->isChecked());
    EXPECT_EQ(action(editor, "mnuSyntaxHighlight")->text(), "Enable Syntax Highlight");
}

// Numbers beyond an int are tested as they are, not narrowed: any number but 0 means on.
TEST_F(EditorViewSettingsTest, HugeHighlightingNumbersMeanOn) {
    for (const char* value : {"1e300", "-1e20", "&HFFFFFFFFFFFF", "2"}) {
        store("Syntax Highlighting", value);
        qxcSCRIPTEditor editor;
        EXPECT_TRUE(EditorPrivate::of(editor).chkSyntaxHighlight->isChecked()) << value;
    }
    for (const char* value : {"0", "0.0", "abc"}) {
        store("Syntax Highlighting", value);
        qxcSCRIPTEditor editor;
        EXPECT_FALSE(EditorPrivate::of(editor).chkSyntaxHighlight->isChecked()) << value;
    }
}

// The popup item changes this control alone; the property is what the user keeps.
TEST_F(EditorViewSettingsTest, ThePopupItemTogglesTheViewWithoutWritingIt) {
    auto first = std::make_unique<qxcSCRIPTEditor>();
    action(*first, "mnuFullView")->trigger();
    EXPECT_TRUE(first->FullView());
    EXPECT_EQ(action(*first, "mnuFullView")->text(), "Advanced View");
    EXPECT_EQ(stored("FullView"), "?");
    qxcSCRIPTEditor second;
    EXPECT_FALSE(second.FullView()) << "a new control starts in the stored view";

    action(*first, "mnuFullView")->trigger();
    EXPECT_FALSE(first->FullView());
    EXPECT_EQ(action(*first, "mnuFullView")->text(), "Full View");

    first->setFullView(true);
    EXPECT_EQ(stored("FullView"), "1");
    EXPECT_EQ(action(*first, "mnuFullView")->text(), "Advanced View");
    first->setFullView(false);
    EXPECT_EQ(stored("FullView"), "0");
    first->setFullView(true);
    action(*first, "mnuFullView")->trigger();
    first.reset();
    qxcSCRIPTEditor third;
    EXPECT_TRUE(third.FullView());
}

// The popup item flips the check box, whose own reaction keeps the choice and re-captions the item.
TEST_F(EditorViewSettingsTest, ThePopupHighlightItemFlipsTheCheckBox) {
    qxcSCRIPTEditor editor;
    EditorPrivate& d = EditorPrivate::of(editor);
    action(editor, "mnuSyntaxHighlight")->trigger();
    EXPECT_FALSE(d.chkSyntaxHighlight->isChecked());
    EXPECT_EQ(action(editor, "mnuSyntaxHighlight")->text(), "Enable Syntax Highlight");
    EXPECT_EQ(stored("Syntax Highlighting"), "0");

    const int before = d.controller().passCount();
    action(editor, "mnuSyntaxHighlight")->trigger();
    EXPECT_TRUE(d.chkSyntaxHighlight->isChecked());
    EXPECT_EQ(action(editor, "mnuSyntaxHighlight")->text(), "Disable Syntax Highlight");
    EXPECT_EQ(stored("Syntax Highlighting"), "1");
    EXPECT_EQ(d.controller().passCount(), before + 1) << "switching on colours the text again";
}

} // namespace
