#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include <QApplication>
#include <cstdio>

// A host form written with Qt's own keywords: signals:, slots and emit work beside the control.
class Form : public QWidget {
    Q_OBJECT
public slots:
    void onEncodingArea(bool) {}
signals:
    void scriptSaved(const QString& script);
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Form form;
    auto* editor = new qxcSCRIPTEditor(&form);
    editor->setCodeType(qxcSCRIPTEditor::ctKelvane);
    editor->setDatabase(new qxDatabase("reference.json", editor));
    editor->setValue("<QX:FIELD>Name</QX>");
    QObject::connect(editor, &qxcSCRIPTEditor::EncodingAreaChange, &form, &Form::onEncodingArea);
    QString saved;
    QObject::connect(&form, &Form::scriptSaved, [&](const QString& script) { saved = script; });
    emit form.scriptSaved(editor->Value());
    const bool coloured = editor->txtCode().FormatAt(1).Color == editor->TagColour();
    std::printf("qxTagEditor2 %s: saved \"%s\", tag coloured: %s\n", QXTAGEDITOR2_VERSION_STRING,
                qPrintable(saved), coloured ? "yes" : "no");
    return saved == QLatin1String("<QX:FIELD>Name</QX>") && coloured ? 0 : 1;
}

#include "main.moc"
