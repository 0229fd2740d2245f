#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"

#include <QAction>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using qx::EditorPrivate;

class PublicSurfaceTest : public ::testing::Test {
protected:
    qx::test::TempSettings settings;
    qxcSCRIPTEditor editor;
    EditorPrivate& d = EditorPrivate::of(editor);

    QPushButton* button(const char* name) { return editor.findChild<QPushButton*>(QLatin1String(name)); }
    QAction* action(const char* name) { return editor.findChild<QAction*>(QLatin1String(name)); }
    template <typename Entries> static QStringList namesOf(const Entries& entries) {
        QStringList names;
        for (const auto& entry : entries)
            names << entry.name;
        return names;
    }
    const QStringList kOrder = {"RTFEditVisible", "ShowHiddenHandlers", "CodeType",         "Locked",
                                "EncodeColour",   "TagColour",          "FindMenusEnabled", "ShowFindButton"};
};

TEST_F(PublicSurfaceTest, FreshControlHasTheInitialState) {
    EXPECT_FALSE(editor.Changed());
    EXPECT_EQ(editor.TagColour(), 0x000080u);
    EXPECT_EQ(editor.EncodeColour(), 0x808080u);
    EXPECT_EQ(editor.CodeType(), qxcSCRIPTEditor::ctKelvane);
    EXPECT_FALSE(editor.EditingEncodedArea());
    EXPECT_FALSE(editor.Locked());
    EXPECT_EQ(editor.Database(), nullptr);
    EXPECT_EQ(d.state().mlLevel, 1);
    EXPECT_FALSE(d.state().mbBusy);
    EXPECT_EQ(d.state().mpcUndo->Count(), 0);
    EXPECT_EQ(d.state().mpcRedo->Count(), 0);
}

// The flags start False although the button and the two items are shown; only run-time sets move them.
TEST_F(PublicSurfaceTest, FindFlagsStartFalseWhileFindIsShown) {
    EXPECT_FALSE(editor.ShowFindButton());
    EXPECT_FALSE(editor.FindMenusEnabled());
    EXPECT_FALSE(button("cmdFind")->isHidden());
    for (const char* name : {"mnuFind", "mnuFindNext"}) {
        EXPECT_TRUE(action(name)->isVisible()) << name;
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    }

    editor.setShowFindButton(true);
    editor.setFindMenusEnabled(true);
    EXPECT_TRUE(editor.ShowFindButton());
    EXPECT_FALSE(button("cmdFind")->isHidden());
    EXPECT_TRUE(action("mnuFind")->isVisible());

    editor.setShowFindButton(false);
    editor.setFindMenusEnabled(false);
    EXPECT_TRUE(button("cmdFind")->isHidden());
    for (const char* name : {"mnuFind", "mnuFindNext"}) {
        EXPECT_FALSE(action(name)->isVisible()) << name;
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    }
}

TEST_F(PublicSurfaceTest, CodeTypeRunsAPassOnlyWhenItChanges) {
    const int before = d.controller().passCount();
    editor.setCodeType(qxcSCRIPTEditor::ctKelvane);
    EXPECT_EQ(d.controller().passCount(), before);
    editor.setAllVBCode(false);
    EXPECT_EQ(editor.CodeType(), qxcSCRIPTEditor::ctKelvane);
    EXPECT_FALSE(editor.AllVBCode());

    editor.setAllVBCode(true);
    EXPECT_EQ(editor.CodeType(), qxcSCRIPTEditor::ctVB);
    EXPECT_TRUE(editor.AllVBCode());
    EXPECT_EQ(d.controller().passCount(), before + 1);
}

TEST_F(PublicSurfaceTest, ColourSettersRunAPassEachTime) {
    const int before = d.controller().passCount();
    editor.setTagColour(0x000080);
    editor.setEncodeColour(0x112233);
    EXPECT_EQ(editor.EncodeColour(), 0x112233u);
    EXPECT_EQ(d.controller().passCount(), before + 2);
}

TEST_F(PublicSurfaceTest, ValueIsTheControlsOwnChange) {
    const int before = d.controller().passCount();
    editor.setValue(QStringLiteral("Dim x\r\nx = 1"));
    EXPECT_EQ(editor.Value(), QStringLiteral("Dim x\r\nx = 1"));
    EXPECT_FALSE(editor.Changed());
    EXPECT_FALSE(d.state().mbBusy);
    EXPECT_EQ(d.state().mpcUndo->Count(), 0);
    EXPECT_EQ(d.controller().passCount(), before + 1);
}

TEST_F(PublicSurfaceTest, SetSelTextReplacesTheSelection) {
    editor.setValue(QStringLiteral("abcdef"));
    editor.txtCode().SelectRange(1, 3);
    editor.SetSelText(QStringLiteral("XY"));
    EXPECT_EQ(editor.Value(), QStringLiteral("aXYdef"));
}

// The rule itself is the code-type helper's; here only that the control hands it its type and text.
TEST_F(PublicSurfaceTest, EffectiveCodeTypeLooksAtTheTextOnlyForAuto) {
    editor.setValue(QStringLiteral("<qx:VBS>x</QX>"));
    EXPECT_EQ(editor.EffectiveCodeType(), qxcSCRIPTEditor::ctKelvane);
    editor.setCodeType(qxcSCRIPTEditor::ctAuto);
    EXPECT_EQ(editor.EffectiveCodeType(), qxcSCRIPTEditor::ctVB);
    editor.setValue(QStringLiteral("<QX:VBS>x</QX>"));
    EXPECT_EQ(editor.EffectiveCodeType(), qxcSCRIPTEditor::ctKelvane);
}

TEST_F(PublicSurfaceTest, LockedAndRtfButtonAreTheChildrensOwnFlags) {
    editor.setLocked(true);
    EXPECT_TRUE(editor.txtCode().Locked());
    EXPECT_TRUE(editor.RTFEditVisible());
    editor.setRTFEditVisible(false);
    EXPECT_TRUE(button("cmdRTF")->isHidden());
    EXPECT_FALSE(editor.RTFEditVisible());
}

TEST_F(PublicSurfaceTest, WritePropertiesInOrderWithTheirDefaults) {
    qx::MemoryPropertyBag bag;
    editor.WriteProperties(bag);
    ASSERT_EQ(namesOf(bag.writes()), kOrder);
    EXPECT_EQ(bag.writes()[0].defaultValue, QVariant(false));
    EXPECT_EQ(bag.writes()[2].defaultValue, QVariant(0));
    EXPECT_EQ(bag.writes()[3].defaultValue, QVariant(false));
    EXPECT_EQ(bag.writes()[6].defaultValue, QVariant(true));

    // A fresh control keeps its colours and, because its flags are False, the two Find flags.
    EXPECT_EQ(namesOf(bag.stored()), (QStringList{"RTFEditVisible", "EncodeColour", "TagColour",
                                                  "FindMenusEnabled", "ShowFindButton"}));
}

TEST_F(PublicSurfaceTest, ReadPropertiesInOrderWithTheirDefaults) {
    qx::MemoryPropertyBag bag;
    bag.set("CodeType", 1);
    bag.set("FindMenusEnabled", false);
    bag.set("TagColour", 0x0000FF);
    editor.setLocked(true);
    const int before = d.controller().passCount();
    editor.ReadProperties(bag);

    const auto& reads = bag.reads();
    ASSERT_EQ(namesOf(reads), kOrder);
    EXPECT_EQ(reads[3].defaultValue, QVariant(true)); // the box's current flag
    EXPECT_EQ(reads[4].defaultValue.toUInt(), 0x808080u);
    EXPECT_EQ(reads[5].defaultValue.toUInt(), 0x000080u);
    EXPECT_EQ(reads[7].defaultValue, QVariant(true));

    EXPECT_EQ(editor.CodeType(), qxcSCRIPTEditor::ctVB);
    EXPECT_EQ(d.controller().passCount(), before) << "a stored code type is read without a pass";
    EXPECT_EQ(editor.TagColour(), 0x0000FFu);
    EXPECT_TRUE(editor.Locked());
    EXPECT_FALSE(editor.RTFEditVisible());
    // The stored Find flags set the fields only; what is shown stays as it was.
    EXPECT_FALSE(editor.FindMenusEnabled());
    EXPECT_TRUE(editor.ShowFindButton());
    EXPECT_TRUE(action("mnuFind")->isVisible());
}

// A damaged store gives the defaults: an out-of-range code type would stop colouring and be written back,
// and a non-colour would make the tags black.
TEST_F(PublicSurfaceTest, DamagedStoredValuesReadAsTheirDefaults) {
    const QList<QVariant> badCodeTypes = {7, -1, QStringLiteral("VB"), 1.5, 1e300};
    for (const QVariant& stored : badCodeTypes) {
        qx::MemoryPropertyBag bag;
        bag.set("CodeType", stored);
        editor.setCodeType(qxcSCRIPTEditor::ctVB);
        editor.ReadProperties(bag);
        EXPECT_EQ(editor.CodeType(), qxcSCRIPTEditor::ctKelvane) << stored.toString().toStdString();
    }
    const QList<QVariant> badColours = {
        QStringLiteral("red"), qlonglong(1) << 40, -1, 0x1000000, 2.5, QString()};
    for (const QVariant& stored : badColours) {
        qx::MemoryPropertyBag bag;
        bag.set("TagColour", stored);
        bag.set("EncodeColour", stored);
        editor.ReadProperties(bag);
        EXPECT_EQ(editor.TagColour(), 0x000080u) << stored.toString().toStdString();
        EXPECT_EQ(editor.EncodeColour(), 0x808080u) << stored.toString().toStdString();
    }
    // Numbers given as text, as an INI-backed store returns them, are still read.
    qx::MemoryPropertyBag bag;
    bag.set("CodeType", QStringLiteral("2"));
    bag.set("TagColour", QStringLiteral("255"));
    editor.ReadProperties(bag);
    EXPECT_EQ(editor.CodeType(), qxcSCRIPTEditor::ctAuto);
    EXPECT_EQ(editor.TagColour(), 255u);
}

} // namespace
