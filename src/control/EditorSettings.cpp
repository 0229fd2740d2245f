#include "control/EditorSettings.h"

#include "hostlib/Library.h"

#include <QString>

namespace qx {

namespace {
const QString kKey = QStringLiteral("Software\\Kelvane\\Script Editor");
const QString kSyntaxHighlighting = QStringLiteral("Syntax Highlighting");
const QString kFullView = QStringLiteral("FullView");

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

// The number itself is tested, never narrowed to an int: "1e300" or "&HFFFFFFFFFFFF" mean on.
bool EditorSettings::syntaxHighlighting() {
    Library& library = Library::instance();
    const QString text =
        library.ReadRegistry(RegistryRoot::CurrentUser, kKey, kSyntaxHighlighting, flag(true));
    return library.Val(text) != 0.0;
}

void EditorSettings::setSyntaxHighlighting(bool on) {
    Library::instance().WriteRegistry(RegistryRoot::CurrentUser, kKey, kSyntaxHighlighting, flag(on));
}

bool EditorSettings::fullView() {
    return Library::instance().ReadRegistry(RegistryRoot::CurrentUser, kKey, kFullView, flag(false)) ==
           QLatin1String("1");
}

void EditorSettings::setFullView(bool on) {
    Library::instance().WriteRegistry(RegistryRoot::CurrentUser, kKey, kFullView, flag(on));
}

} // namespace qx
