// The host's shared-data library: the user's language, from the host's settings store.

#include "host/Resstrings.h"

extern "C" Q_DECL_EXPORT int GetLanguageId() {
    return host::GetLanguageId();
}
