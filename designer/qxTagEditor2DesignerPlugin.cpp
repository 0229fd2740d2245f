#include "qxTagEditor2DesignerPlugin.h"

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace {

// The widget-box icon: a page of script with a tag on its first line, drawn for each size Designer uses.
QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3.5, 2.5, 25, 27), 2, 2);
    // "<>" in the control's default tag colour, then lines of script.
    p.setPen(QPen(QColor(0x80, 0x00, 0x00), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(12, 6.5), QPointF(7.5, 10), QPointF(12, 13.5)}));
    p.drawPolyline(QPolygonF({QPointF(18, 6.5), QPointF(22.5, 10), QPointF(18, 13.5)}));
    const QColor lines[] = {QColor(0x00, 0x00, 0x80), QColor(0x00, 0x80, 0x00), QColor(0x40, 0x40, 0x40)};
    const double widths[] = {16, 11, 14};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(lines[i], 2, Qt::SolidLine, Qt::RoundCap));
        const double y = 18.5 + 4 * i;
        p.drawLine(QPointF(7.5, y), QPointF(7.5 + widths[i], y));
    }
    return pixmap;
}

} // namespace

ScriptEditorWidgetInterface::ScriptEditorWidgetInterface(QObject* parent)
    : QObject(parent) {}

QString ScriptEditorWidgetInterface::name() const {
    return QStringLiteral("qxcSCRIPTEditor");
}

QString ScriptEditorWidgetInterface::group() const {
    return QStringLiteral("qxTagEditor2");
}

QString ScriptEditorWidgetInterface::toolTip() const {
    return QStringLiteral("Script editor with tag and script colouring");
}

QString ScriptEditorWidgetInterface::whatsThis() const {
    return QStringLiteral(
        "A script editor that colours plain script and tag markup, completes members from the "
        "host's reference data and edits Base64-encoded values in place.");
}

// Angle brackets: uic writes #include <qxTagEditor2/qxcSCRIPTEditor.h>.
QString ScriptEditorWidgetInterface::includeFile() const {
    return QStringLiteral("<qxTagEditor2/qxcSCRIPTEditor.h>");
}

QIcon ScriptEditorWidgetInterface::icon() const {
    QIcon icon;
    for (int size : {16, 22, 32, 48})
        icon.addPixmap(drawIcon(size));
    return icon;
}

bool ScriptEditorWidgetInterface::isContainer() const {
    return false;
}

QWidget* ScriptEditorWidgetInterface::createWidget(QWidget* parent) {
    return new qxcSCRIPTEditor(parent);
}

bool ScriptEditorWidgetInterface::isInitialized() const {
    return mInitialized;
}

void ScriptEditorWidgetInterface::initialize(QDesignerFormEditorInterface*) {
    mInitialized = true;
}

// A new control is 400 x 200; the script is one untranslated text edited over several lines.
QString ScriptEditorWidgetInterface::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="qxcSCRIPTEditor" name="scriptEditor">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>400</width><height>200</height></rect>
  </property>
 </widget>
 <customwidgets>
  <customwidget>
   <class>qxcSCRIPTEditor</class>
   <extends>QWidget</extends>
   <propertyspecifications>
    <stringpropertyspecification name="Value" notr="true" type="multiline"/>
   </propertyspecifications>
  </customwidget>
 </customwidgets>
</ui>
)");
}

qxTagEditor2DesignerPlugins::qxTagEditor2DesignerPlugins(QObject* parent)
    : QObject(parent) {
    mWidgets.append(new ScriptEditorWidgetInterface(this));
}

QList<QDesignerCustomWidgetInterface*> qxTagEditor2DesignerPlugins::customWidgets() const {
    return mWidgets;
}
