#include "hostlib/Logging.h"

namespace qx {

Q_LOGGING_CATEGORY(lcEditor, "qxTagEditor2")

} // namespace qx
