#include "host/Ustawienia.h"

#include "host/Biblioteki.h"
#include "host/HostContext.h"

#include <QHash>
#include <QMap>
#include <QSettings>
#include <QtDebug>

#include <map>
#include <mutex>

namespace host {

namespace {

QString normGroup(const QString& group) {
    return group.trimmed().toUpper();
}
QString normKey(const QString& name) {
    return name.trimmed().toLower();
}
QString tableKey(const QString& group, const QString& name) {
    return normGroup(group) + QLatin1Char('/') + normKey(name);
}

// Every setting the module reads, with its default. docs/settings.md is the readable form of
// this table; keep the two together.
const QHash<QString, QVariant>& defaults() {
    static const QHash<QString, QVariant> table = [] {
        QHash<QString, QVariant> t;
        auto add = [&t](const char* group, const char* key, const QVariant& v) {
            t.insert(tableKey(QLatin1String(group), QLatin1String(key)), v);
        };
        // Host-wide.
        add("ALL", "jezyk", 1);
        add("ALL", "aktywna_firma", 0);
        add("ALL", "filtracja_kierowcow", false);
        add("ALL", "filtracja_samochodow", false);
        add("ALL", "cb_run_session", true);
        add("ALL", "cb_save_session", false);
        add("ALL", "cb_save_session_closing", false);
        add("ALL", "daty_rap", 0);
        add("ALL", "uzytk_rap", 0);
        add("ALL", "pokaz_nr_sluzbowy", 0);
        add("ALL", "sciezka_dokumenty", QString());
        add("ALL", "edycja_zamknietych_tacho", true);
        add("ALL", "tylko_cyfrowe", false);
        add("ALL", "tryb_kwir", false);
        add("ALL", "podglad_rozszerzony", false);
        // The chart module.
        add("KX", "czas_od", 0);
        add("KX", "sciezka_ob", QString()); // data folder, filled in at read time
        add("KX", "cb_brak_skanu", true);
        add("KX", "kolor_odpocz_nieb", false);
        add("KX", "tylko_automat", 1);
        add("KX", "dom_kier", 0);
        add("KX", "dom_konw", 0);
        add("KX", "dom_konw2", 0);
        add("KX", "dom_sam", 0);
        add("KX", "rodzaj_tarczy", 0);
        add("KX", "czy_szczeg", 0);
        add("KX", "ust_dzis_dom_ts", true);
        add("KX", "dom_data", 0.0);
        add("KX", "plus_data", 0);
        add("KX", "pocz_po_najdl_odp", false);
        add("KX", "pokaz_pole_konwojent", 1);
        add("KX", "il_minut_sz_ed", 15);
        add("KX", "roz_km", 5);
        add("KX", "zamykaj_tarcze", false);
        add("KX", "min_zd_po", 2);
        add("KX", "min_zd_pr", 3);
        add("KX", "samochod", 0);
        add("KX", "tolerancja_15", 0);
        add("KX", "tolerancja_30", 0);
        add("KX", "tolerancja_45", 0);
        add("KX", "tolerancja_AETR", 0);
        add("KX", "tolerancja_jazdy_c", 0);
        add("KX", "tolerancja_odp", 0);
        add("KX", "kpkjc", true);
        add("KX", "wliczaj_dy", false);
        add("KX", "KxZamianaZdarzenDaneAnalogowe", false);
        add("KX", "potw_zm_rodz_tarczy", true);
        add("KX", "analiza_561_aetr", 2);
        add("KX", "ostrz_godz_rozp", false);
        add("KX", "nachodzenie_poz", true);
        // Another module of the product.
        add("ROZ", "Lista Tachozmian", false);
        return t;
    }();
    return table;
}

// INI files hold text; a stored value is read back as the type of its default.
QVariant asTypeOf(const QVariant& stored, const QVariant& def) {
    if (!def.isValid() || stored.typeId() == def.typeId()) return stored;
    const QString text = stored.toString().trimmed();
    const bool isTrue = text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    const bool isFalse = text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0;
    switch (def.typeId()) {
    case QMetaType::Bool:
        if (stored.typeId() == QMetaType::QString) {
            bool ok = false;
            const int n = text.toInt(&ok);
            return ok ? n != 0 : !(text.isEmpty() || isFalse);
        }
        return stored.toBool();
    case QMetaType::Int: {
        if (isTrue || isFalse) return isTrue ? 1 : 0;
        bool ok = false;
        int n = stored.toInt(&ok);
        if (!ok) n = int(stored.toDouble(&ok));
        return ok ? n : def.toInt();
    }
    case QMetaType::Double: {
        bool ok = false;
        const double v = stored.toDouble(&ok);
        return ok ? v : def.toDouble();
    }
    case QMetaType::QString:
        return stored.toString();
    default:
        return stored;
    }
}

std::shared_ptr<Ustawienia>& installedStore() {
    static std::shared_ptr<Ustawienia> store;
    return store;
}

std::unique_ptr<Ustawienia>& memoryStore() {
    static std::unique_ptr<Ustawienia> store;
    return store;
}

} // namespace

struct Ustawienia::Impl {
    // Readers run on worker threads (a batch of charts); one QSettings must not be used by two
    // threads at once.
    mutable std::mutex mutex;
    QString path;
    std::unique_ptr<QSettings> ini; // file-backed
    QMap<QString, QVariant> memory; // memory-only, by table key

    QVariant stored(const QString& name, const QString& group) const {
        if (!ini) return memory.value(tableKey(group, name));
        const QString g = normGroup(group), k = normKey(name);
        if (ini->contains(g + QLatin1Char('/') + k)) return ini->value(g + QLatin1Char('/') + k);
        // A hand-edited file may spell groups and keys in any case.
        for (const QString& fg : ini->childGroups()) {
            if (fg.compare(g, Qt::CaseInsensitive) != 0) continue;
            ini->beginGroup(fg);
            QVariant found;
            for (const QString& fk : ini->childKeys())
                if (fk.compare(k, Qt::CaseInsensitive) == 0) found = ini->value(fk);
            ini->endGroup();
            if (found.isValid()) return found;
        }
        return {};
    }
};

Ustawienia::Ustawienia(const QString& path) : d(std::make_unique<Impl>()) {
    d->path = path;
    if (!path.isEmpty()) d->ini = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

Ustawienia::~Ustawienia() = default;

QVariant Ustawienia::get(const QString& name, const QString& group) const {
    const QVariant def = defaultValue(name, group);
    QVariant v;
    {
        std::lock_guard lock(d->mutex);
        v = d->stored(name, group);
    }
    if (!v.isValid()) return def;
    return asTypeOf(v, def);
}

void Ustawienia::set(const QString& name, const QString& group, const QVariant& value) {
    std::lock_guard lock(d->mutex);
    if (!d->ini) {
        d->memory.insert(tableKey(group, name), value);
        return;
    }
    d->ini->setValue(normGroup(group) + QLatin1Char('/') + normKey(name), value);
    d->ini->sync();
    if (d->ini->status() != QSettings::NoError)
        qWarning("Ustawienia: cannot write %s/%s to %s", qPrintable(normGroup(group)),
                 qPrintable(name), qPrintable(d->path));
}

QString Ustawienia::path() const {
    return d->path;
}

QVariant Ustawienia::defaultValue(const QString& name, const QString& group) {
    const QString key = tableKey(group, name);
    if (key == QLatin1String("KX/sciezka_ob")) return DataFolder();
    return defaults().value(key);
}

void InstallSettings(std::shared_ptr<Ustawienia> store) {
    installedStore() = std::move(store);
    memoryStore().reset();
}

Ustawienia& CurrentSettings() {
    if (installedStore()) return *installedStore();
    auto& mem = memoryStore();
    if (!mem) mem = std::make_unique<Ustawienia>(QString());
    return *mem;
}

QVariant GetZm(const QString& name, const QString& group) {
    return CurrentSettings().get(name, group);
}

void SetZm(const QString& name, const QString& group, const QVariant& value) {
    CurrentSettings().set(name, group, value);
}

GetZmFn Load_GetZm() {
    // Libraries that handed out a reader stay loaded: the pointer must never dangle.
    static std::map<QString, std::shared_ptr<QLibrary>> keep;
    const QString path = MapLibraryPath(QStringLiteral("UstDll.dll"));
    auto it = keep.find(path);
    if (it == keep.end()) {
        auto lib = LoadLibrary_main(QStringLiteral("UstDll.dll"));
        if (!lib) return nullptr;
        it = keep.emplace(path, std::move(lib)).first;
    }
    auto fn = reinterpret_cast<GetZmFn>(it->second->resolve("_GetZm"));
    if (!fn) qWarning("Load_GetZm: %s has no _GetZm", qPrintable(path));
    return fn;
}

} // namespace host
