#include "highlight/HighlightSettings.h"

#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"

namespace qx::HighlightSettings {

QString ReadMachineValue(const char* valueName) {
    try {
        return Library::instance().ReadRegistry(RegistryRoot::LocalMachine, QLatin1String(MachineKey),
                                                QLatin1String(valueName), QString());
    } catch (const LibraryError&) {
        return QString();
    }
}

} // namespace qx::HighlightSettings
