#include <QApplication>
#include <QDomDocument>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

#include <memory>

namespace {

class DesignerPluginTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The control reads its settings and folders on creation: keep them out of the user's home.
        settings = std::make_unique<QTemporaryDir>();
        qputenv("QXTE_USER_SETTINGS", settings->filePath(QStringLiteral("user.ini")).toUtf8());
        qputenv("QXTE_MACHINE_SETTINGS", settings->filePath(QStringLiteral("machine.ini")).toUtf8());
        qputenv("QXTE_USER_DATA_DIR", settings->path().toUtf8());
        qputenv("QXTE_COMMON_DIR", settings->path().toUtf8());
    }
    static void TearDownTestSuite() { settings.reset(); }

    void SetUp() override {
        ASSERT_TRUE(loader.load()) << qPrintable(loader.errorString());
        auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        ASSERT_NE(collection, nullptr);
        for (QDesignerCustomWidgetInterface* candidate : collection->customWidgets()) {
            if (candidate->name() == QLatin1String("qxcSCRIPTEditor"))
                widget = candidate;
        }
        ASSERT_NE(widget, nullptr);
    }

    static inline std::unique_ptr<QTemporaryDir> settings;
    QPluginLoader loader{QStringLiteral(QX_DESIGNER_PLUGIN_FILE)};
    QDesignerCustomWidgetInterface* widget = nullptr;
};

TEST_F(DesignerPluginTest, OffersTheControlInItsGroupWithAnIcon) {
    EXPECT_EQ(widget->group(), QStringLiteral("qxTagEditor2"));
    EXPECT_FALSE(widget->icon().isNull());
    EXPECT_FALSE(widget->isContainer());
    EXPECT_EQ(widget->includeFile(), QStringLiteral("<qxTagEditor2/qxcSCRIPTEditor.h>"));
    QDomDocument xml;
    ASSERT_TRUE(xml.setContent(widget->domXml()));
    EXPECT_EQ(xml.documentElement().firstChildElement("widget").attribute("class"), "qxcSCRIPTEditor");
}

// The property editor sets values through the meta-object, by name, and shows designable, writable
// properties (CodeType as a list of its names); the per-user view and the run-time flags stay out of the
// form.
TEST_F(DesignerPluginTest, CreatesTheControlWithEditableDesignTimeProperties) {
    QWidget form;
    QWidget* editor = widget->createWidget(&form);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->parentWidget(), &form);
    EXPECT_STREQ(editor->metaObject()->className(), "qxcSCRIPTEditor");
    EXPECT_EQ(editor->property("TagColour").toUInt(), 0x000080u);
    ASSERT_TRUE(editor->setProperty("TagColour", 0x0000FFu) && editor->setProperty("CodeType", 1) &&
                editor->setProperty("Value", QStringLiteral("<b>x</b>")));
    EXPECT_EQ(editor->property("TagColour").toUInt(), 0x0000FFu);
    EXPECT_EQ(editor->property("CodeType").toInt(), 1);
    EXPECT_TRUE(editor->property("AllVBCode").toBool());
    EXPECT_EQ(editor->property("Value").toString(), QStringLiteral("<b>x</b>"));

    const QMetaObject* meta = editor->metaObject();
    for (const char* name : {"Value", "CodeType", "TagColour", "EncodeColour", "Locked", "RTFEditVisible",
                             "AllVBCode", "ShowFindButton", "FindMenusEnabled"}) {
        const QMetaProperty property = meta->property(meta->indexOfProperty(name));
        EXPECT_TRUE(property.isValid() && property.isWritable() && property.isDesignable()) << name;
    }
    for (const char* name : {"FullView", "Changed"})
        EXPECT_FALSE(meta->property(meta->indexOfProperty(name)).isDesignable()) << name;
    const QMetaProperty codeType = meta->property(meta->indexOfProperty("CodeType"));
    ASSERT_TRUE(codeType.isEnumType());
    EXPECT_EQ(codeType.enumerator().keyToValue("ctAuto"), 2);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
