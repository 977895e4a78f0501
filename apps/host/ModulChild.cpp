#include "ModulChild.h"

#include "Teksty.h"

#include "host/Biblioteki.h"

#include <QFileInfo>

namespace {

// Why the file did not load: LoadLibrary_main only logs it, so the loader is asked again.
QString przyczyna(const QString& sciezka) {
    if (!QFileInfo::exists(sciezka)) return tekst("PlikNieIstnieje");
    QLibrary proba(sciezka);
    if (proba.load()) {
        proba.unload();
        return tekst("NieznanaPrzyczyna");
    }
    return proba.errorString();
}

} // namespace

QString ModulChild::nazwaModulu() {
    return QStringLiteral("dane\\Korvix\\Child.dll");
}

bool ModulChild::zaladuj(Instancja& wynik, QString& blad) {
    const QString sciezka = host::MapLibraryPath(nazwaModulu());
    std::shared_ptr<QLibrary> lib = host::LoadLibrary_main(nazwaModulu());
    if (!lib) {
        blad = tekst("ModulNieLaduje").arg(sciezka, przyczyna(sciezka));
        return false;
    }
    Instancja i;
    i.biblioteka = lib.get();
    i.tag = reinterpret_cast<kx::HostTag>(lib.get());
    QStringList brak;
    auto wez = [&](auto& fn, const char* nazwa) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(lib->resolve(nazwa));
        if (!fn) brak << QLatin1String(nazwa);
    };
    wez(i.Execute, "_Execute");
    wez(i.CreateChild, "_CreateChild");
    wez(i.Ustaw_Child, "_Ustaw_Child");
    wez(i.OtworzChild, "_OtworzChild");
    wez(i.Show, "_Show");
    wez(i.CloseChild, "_CloseChild");
    if (!brak.isEmpty()) {
        blad = tekst("ModulBrakFunkcji").arg(sciezka, brak.join(QStringLiteral(", ")));
        return false; // lib goes out of scope: the handle is released
    }
    uchwyty_.emplace(i.tag, std::move(lib));
    wynik = i;
    return true;
}

bool ModulChild::zwolnij(kx::HostTag tag) {
    const auto it = uchwyty_.find(tag);
    if (it == uchwyty_.end()) return false;
    uchwyty_.erase(it);
    return true;
}

void ModulChild::zwolnijWszystkie() {
    uchwyty_.clear();
}

int ModulChild::ileUchwytow() const {
    return int(uchwyty_.size());
}

int ModulChild::ileUchwytow(kx::HostTag tag) const {
    return int(uchwyty_.count(tag));
}
