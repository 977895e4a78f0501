#include "SrodowiskoHosta.h"

#include "host/Biblioteki.h"
#include "host/HostContext.h"
#include "host/Resstrings.h"
#include "host/Uprawnienia.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"

std::shared_ptr<host::ScriptedDialogs> zainstalujSrodowiskoHosta() {
    host::SetExeFolder({});
    host::SetTranslationsFolder({});
    host::InstallSettings(std::make_shared<host::Ustawienia>(QString()));
    host::UsunUprawnienia();
    host::ConnectionParams p;
    p.backend = host::Backend::SQLite;
    p.database = QStringLiteral(":memory:");
    host::InstallConnection(std::make_shared<host::Connection>(p));
    auto dialogi = std::make_shared<host::ScriptedDialogs>();
    host::InstallDialogs(dialogi);
    return dialogi;
}

void usunSrodowiskoHosta() {
    host::InstallDialogs(nullptr);
    host::InstallConnection(nullptr);
    host::InstallSettings(nullptr);
    host::SetExeFolder({});
    host::SetDataFolder({});
}
