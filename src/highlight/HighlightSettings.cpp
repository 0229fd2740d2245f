#include "highlight/HighlightSettings.h"

#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
#include "hostlib/Logging.h"

namespace qx::HighlightSettings {

QString ReadMachineValue(const char* valueName) {
    try {
        return Library::instance().ReadRegistry(RegistryRoot::LocalMachine, QLatin1String(MachineKey),
                                                QLatin1String(valueName), QString());
    } catch (const LibraryError& error) {
        qCWarning(lcEditor) << "The machine's word list" << valueName << "was not read:" << error.what();
        return QString();
    }
}

} // namespace qx::HighlightSettings
