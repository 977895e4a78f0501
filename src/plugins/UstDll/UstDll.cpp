// The host's settings library. It links the host library, so its reader answers from the
// store the host application installed: a module holding this reader sees exactly what
// GetZm sees.

#include "host/Ustawienia.h"

extern "C" Q_DECL_EXPORT QVariant _GetZm(const QString& name, const QString& group) {
    return host::GetZm(name, group);
}
