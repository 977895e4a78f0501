// The host's data library: runs the module's queries and stored procedures on the host's
// connection, and answers the logged-in user's own settings.

#include "host/Ustawienia.h"
#include "host/db/Query.h"
#include "host/db/StoredProc.h"

// Opens a select (or executes any other statement); false when the database refused it.
extern "C" Q_DECL_EXPORT bool _Kwerenda(host::Query* q) {
    try {
        if (q->sql().trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive))
            q->open();
        else
            q->exec();
        return true;
    } catch (const std::exception& e) {
        qWarning("dane: query failed: %s", e.what());
        return false;
    }
}

extern "C" Q_DECL_EXPORT bool _Procedura(host::StoredProc* p) {
    try {
        host::ExecProc(*p);
        return true;
    } catch (const std::exception& e) {
        qWarning("dane: procedure %s failed: %s", qPrintable(p->name()), e.what());
        return false;
    }
}

// A setting of the logged-in user ("edycja_zamknietych_tacho"), host-wide group.
extern "C" Q_DECL_EXPORT QVariant _PobierzUstawIdU(const QString& nazwa) {
    return host::GetZm(nazwa, QStringLiteral("ALL"));
}
