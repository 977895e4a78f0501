#include "host/Uprawnienia.h"

#include "host/Ustawienia.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <cctype>

namespace host {

namespace {

struct Prawa {
    QMutex mutex;
    QHash<QString, int> prawa;
};

Prawa& prawa() {
    static Prawa p;
    return p;
}

QString klucz(const QString& modul) {
    return modul.trimmed().toLower();
}

} // namespace

int SprawdzUpr(const QString& modul) {
    Prawa& p = prawa();
    QMutexLocker lock(&p.mutex);
    return p.prawa.value(klucz(modul), 1);
}

void UstawUpr(const QString& modul, int prawo) {
    Prawa& p = prawa();
    QMutexLocker lock(&p.mutex);
    p.prawa.insert(klucz(modul), prawo);
}

void UsunUprawnienia() {
    Prawa& p = prawa();
    QMutexLocker lock(&p.mutex);
    p.prawa.clear();
}

bool CzyKXKWIR() {
    return GetZm(QStringLiteral("tryb_kwir"), QStringLiteral("ALL")).toBool();
}

bool CzyTrybPodgladRozszerz(int /*tryb*/) {
    return GetZm(QStringLiteral("podglad_rozszerzony"), QStringLiteral("ALL")).toBool();
}

QString GetFileVersion(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = f.readAll();
    static const QByteArray znacznik("KXFILEVERSION=");
    const qsizetype at = data.indexOf(znacznik);
    if (at < 0) return {};
    qsizetype end = at + znacznik.size();
    while (end < data.size() &&
           (std::isdigit(static_cast<unsigned char>(data[end])) || data[end] == '.'))
        ++end;
    return QString::fromLatin1(data.mid(at + znacznik.size(), end - at - znacznik.size()));
}

} // namespace host
