// Day files in, periods, summary and check out.
#include "activity/KontrolaJson.h"

#include "activity/WynikJson.h"
#include "host/KatyCzas.h"
#include "host/Ustawienia.h"

#include <QDate>
#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

struct ZlyDzien {
    QString tekst;
};

[[noreturn]] void zle(const QString& pole, const QString& co) {
    throw ZlyDzien{pole + QStringLiteral(": ") + co};
}

const char* const kLiczbowe[] = {"tolerancja_15",   "tolerancja_30",      "tolerancja_45",
                                 "tolerancja_AETR", "tolerancja_jazdy_c", "tolerancja_odp"};
const char* const kFlagi[] = {"kpkjc", "wliczaj_dy"};
const char* const kPolaDnia[] = {"date",     "crew",    "settings", "kat24",
                                 "kat_rozp", "kat_zak", "periods"};
const char* const kPolaOkresu[] = {"czy_praca", "kat_od", "kat_do", "czas_od", "czas_do", "km"};

// The distance a period may carry, as the database keeps it.
constexpr int kMaksKm = 32767;

// A misspelt field would otherwise be dropped without a word.
template <std::size_t N>
void tylko_znane(const QJsonObject& o, const char* const (&znane)[N], const QString& przedrostek) {
    for (auto it = o.begin(); it != o.end(); ++it) {
        bool znane_pole = false;
        for (const char* k : znane)
            znane_pole = znane_pole || it.key() == QLatin1String(k);
        if (!znane_pole) zle(przedrostek + it.key(), QStringLiteral("unknown field"));
    }
}

bool calkowita(const QJsonValue& v, int& wynik) {
    if (!v.isDouble()) return false;
    const double d = v.toDouble();
    if (d != std::floor(d) || std::fabs(d) > 1e9) return false;
    wynik = int(d);
    return true;
}

int liczba_nieujemna(const QJsonObject& o, const QString& klucz, const QString& pole) {
    int n = 0;
    if (!calkowita(o.value(klucz), n) || n < 0)
        zle(pole, QStringLiteral("not a whole number of 0 or more"));
    return n;
}

double kat(const QJsonObject& o, const QString& klucz, const QString& pole) {
    const QJsonValue v = o.value(klucz);
    if (!v.isDouble()) zle(pole, QStringLiteral("not a number of degrees"));
    const double a = v.toDouble();
    if (!(a >= 0.0 && a < 720.0)) zle(pole, QStringLiteral("angle outside 0 to 720 degrees"));
    return a;
}

host::TDateTime czas(const QJsonObject& o, const QString& klucz, const QString& pole, bool koniec) {
    const QJsonValue v = o.value(klucz);
    const QString t = v.toString();
    if (koniec && t.trimmed() == QLatin1String("24:00")) return 1.0;
    try {
        if (!v.isString()) throw std::invalid_argument("");
        return host::StrToTime(t);
    } catch (const std::invalid_argument&) {
        zle(pole,
            QStringLiteral("cannot read \"%1\" as a time hh:nn").arg(v.toVariant().toString()));
    }
}

QVariantMap ustawienia(const QJsonValue& v) {
    QVariantMap u;
    if (v.isUndefined()) return u;
    if (!v.isObject()) zle(QStringLiteral("settings"), QStringLiteral("not an object"));
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QString pole = QStringLiteral("settings.") + it.key();
        bool znany = false;
        for (const char* k : kLiczbowe)
            if (it.key() == QLatin1String(k)) {
                u.insert(it.key(), liczba_nieujemna(o, it.key(), pole));
                znany = true;
            }
        for (const char* k : kFlagi)
            if (it.key() == QLatin1String(k)) {
                int n = -1;
                if (it.value().isBool())
                    u.insert(it.key(), it.value().toBool());
                else if (calkowita(it.value(), n) && (n == 0 || n == 1))
                    u.insert(it.key(), n == 1);
                else
                    zle(pole, QStringLiteral("not true or false"));
                znany = true;
            }
        if (!znany) zle(pole, QStringLiteral("unknown setting"));
    }
    return u;
}

struct Okres {
    double od = 0.0, do_ = 0.0; // angles, for the continuity check
    host::TDateTime czas_od, czas_do;
    int kod = 0;
    int km = 0;
};

QString opis_kata(double a, bool czasy, double kat24) {
    return czasy ? host::CzasHHNN(host::KatNaGodz(a, kat24)) : QString::number(a);
}

void wczytaj(const QJsonObject& d, Lista_zdarz& lista, DzienKontroli& dzien) {
    tylko_znane(d, kPolaDnia, QString());
    const QJsonValue data = d.value(QLatin1String("date"));
    if (data.isUndefined()) zle(QStringLiteral("date"), QStringLiteral("missing"));
    // QDate's ISO reading would take "2008-05-12garbage" as the 12th.
    static const QRegularExpression rrrr_mm_dd(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    const QDate q = rrrr_mm_dd.match(data.toString()).hasMatch()
                        ? QDate::fromString(data.toString(), Qt::ISODate)
                        : QDate();
    if (!data.isString() || !q.isValid())
        zle(QStringLiteral("date"), QStringLiteral("cannot read \"%1\" as a date YYYY-MM-DD")
                                        .arg(data.toVariant().toString()));
    dzien.data = host::TDateTime::fromDate(q);
    dzien.zaloga = d.contains(QLatin1String("crew"))
                       ? liczba_nieujemna(d, QStringLiteral("crew"), QStringLiteral("crew"))
                       : 0;
    dzien.ustawienia = ustawienia(d.value(QLatin1String("settings")));

    const QJsonValue okresy = d.value(QLatin1String("periods"));
    if (!okresy.isArray())
        zle(QStringLiteral("periods"), QStringLiteral("missing or not an array"));
    const QJsonArray tab = okresy.toArray();

    // The form of the first period decides for the whole day.
    bool czasy = false;
    if (!tab.isEmpty()) czasy = tab.first().toObject().contains(QLatin1String("czas_od"));
    const bool jest_kat24 = d.contains(QLatin1String("kat24"));
    if (!tab.isEmpty() && !czasy && !jest_kat24)
        zle(QStringLiteral("kat24"), QStringLiteral("needed when the periods are given by angles"));
    const double kat24 =
        jest_kat24 ? kat(d, QStringLiteral("kat24"), QStringLiteral("kat24")) : 0.0;

    std::vector<Okres> v;
    double razem = 0.0;
    for (int k = 0; k < tab.size(); ++k) {
        const QString pole = QStringLiteral("periods[%1]").arg(k);
        if (!tab[k].isObject()) zle(pole, QStringLiteral("not an object"));
        const QJsonObject o = tab[k].toObject();
        tylko_znane(o, kPolaOkresu, pole + QLatin1Char('.'));
        Okres z;
        const QJsonValue kod = o.value(QLatin1String("czy_praca"));
        if (kod.isUndefined()) zle(pole + QStringLiteral(".czy_praca"), QStringLiteral("missing"));
        if (!calkowita(kod, z.kod) || !analysis::czy_kod_czynnosci(z.kod))
            zle(pole + QStringLiteral(".czy_praca"),
                QStringLiteral("unknown activity code %1 (-1 no data, 0 rest, 1 other work, "
                               "2 driving, 3 availability)")
                    .arg(kod.toVariant().toString()));
        if (o.contains(QLatin1String("km")) &&
            (!calkowita(o.value(QLatin1String("km")), z.km) || z.km < 0 || z.km > kMaksKm))
            zle(pole + QStringLiteral(".km"),
                QStringLiteral("not a whole number from 0 to %1").arg(kMaksKm));
        const bool ma_czasy =
            o.contains(QLatin1String("czas_od")) || o.contains(QLatin1String("czas_do"));
        const bool ma_katy =
            o.contains(QLatin1String("kat_od")) || o.contains(QLatin1String("kat_do"));
        if (ma_czasy && ma_katy)
            zle(pole, QStringLiteral("give either kat_od / kat_do or czas_od / czas_do, not both"));
        if (ma_czasy != czasy || (!ma_czasy && !ma_katy))
            zle(pole, czasy ? QStringLiteral("needs czas_od and czas_do, as the first period")
                            : QStringLiteral("needs kat_od and kat_do, as the first period"));
        const QString p_od =
            pole + (czasy ? QStringLiteral(".czas_od") : QStringLiteral(".kat_od"));
        const QString p_do =
            pole + (czasy ? QStringLiteral(".czas_do") : QStringLiteral(".kat_do"));
        if (czasy) {
            z.czas_od = czas(o, QStringLiteral("czas_od"), p_od, false);
            z.czas_do = czas(o, QStringLiteral("czas_do"), p_do, true);
            z.od = host::CzasNaKat(z.czas_od, kat24);
            z.do_ = host::CzasNaKat(z.czas_do, kat24);
        } else {
            z.od = kat(o, QStringLiteral("kat_od"), p_od);
            z.do_ = kat(o, QStringLiteral("kat_do"), p_do);
        }
        // A period that ends where it starts is a whole day ("00:00" to "24:00" is one too),
        // so it can only be the day's one period.
        double dl = host::Roznica_katow(z.od, z.do_);
        if (dl < 1e-6 || dl > 360.0 - 1e-6) {
            if (tab.size() > 1)
                zle(p_do, QStringLiteral("the period ends where it starts, which makes it a whole "
                                         "day (24 hours); it must then be the day's only period"));
            dl = 360.0;
            z.do_ = z.od; // as the period records hold a whole day
        }
        razem += dl;
        if (!v.empty()) {
            const Okres& p = v.back();
            const double luka = host::Roznica_katow(p.do_, z.od);
            if (luka > 1e-6 && luka < 360.0 - 1e-6) {
                const QString gdzie =
                    QStringLiteral("periods[%1] (%2 to %3)")
                        .arg(k - 1)
                        .arg(opis_kata(p.od, czasy, kat24), opis_kata(p.do_, czasy, kat24));
                const bool nachodzi = host::Czy_w_zakr(p.od, z.od, p.do_);
                zle(p_od, QStringLiteral("%1 %2 %3")
                              .arg(opis_kata(z.od, czasy, kat24),
                                   nachodzi ? QStringLiteral("overlaps")
                                            : QStringLiteral("leaves a gap after"),
                                   gdzie));
            }
        }
        v.push_back(z);
    }
    if (razem > 360.0 + 1e-6)
        zle(QStringLiteral("periods"),
            QStringLiteral("together longer than 24 hours: they overlap"));

    lista.czysc();
    lista.kat_zak = d.contains(QLatin1String("kat_zak"))
                        ? kat(d, QStringLiteral("kat_zak"), QStringLiteral("kat_zak"))
                        : Lista_zdarz::kBrakKataZak;
    lista.ustaw_kat24(kat24);
    if (d.contains(QLatin1String("kat_rozp")))
        lista.ustaw_kat_rozp(kat(d, QStringLiteral("kat_rozp"), QStringLiteral("kat_rozp")));
    else if (!v.empty())
        lista.ustaw_kat_rozp(v.front().od);
    // Last to first: each period then goes in at the head of the list, where it belongs, so
    // the list's sort finds nothing to move and a long day loads in linear time per period.
    for (auto it = v.rbegin(); it != v.rend(); ++it) {
        const Okres& z = *it;
        if (czasy)
            lista.dodaj_zdarzenie_wczytane(z.czas_od, z.czas_do, z.kod, z.km, 0, 0, 0, 0);
        else
            lista.dodaj_zdarzenie(z.od, z.do_, z.kod, z.km);
    }
    if (czasy) lista.sortuj(Lista_zdarz::kTolSortuZgrubna);
}

} // namespace

bool wczytaj_dzien(const QByteArray& json, Lista_zdarz& lista, DzienKontroli& dzien,
                   QString& blad) {
    lista.czysc();
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &e);
    if (e.error != QJsonParseError::NoError) {
        blad = QStringLiteral("not valid JSON: %1 at offset %2").arg(e.errorString()).arg(e.offset);
        return false;
    }
    if (!doc.isObject()) {
        blad = QStringLiteral("not valid JSON for a day: expected an object");
        return false;
    }
    try {
        wczytaj(doc.object(), lista, dzien);
    } catch (const ZlyDzien& z) {
        lista.czysc();
        blad = z.tekst;
        return false;
    }
    return true;
}

CzytnikUstawien czytnik_dnia(const DzienKontroli& dzien) {
    const QVariantMap u = dzien.ustawienia;
    return [u](const QString& name, const QString& group) {
        if (group.compare(QLatin1String("KX"), Qt::CaseInsensitive) == 0) {
            const auto it = u.find(name);
            if (it != u.end()) return *it;
        }
        return host::GetZm(name, group);
    };
}

QJsonObject sprawdz_dzien(Lista_zdarz& lista, const DzienKontroli& dzien) {
    Kontrola k(czytnik_dnia(dzien));
    k.kontroluj(lista, dzien.data, dzien.zaloga);
    QJsonObject o;
    o.insert(QLatin1String("date"), dzien.data.date().toString(Qt::ISODate));
    o.insert(QLatin1String("crew"), dzien.zaloga);
    o.insert(QLatin1String("periods"), okresy_json(lista));
    o.insert(QLatin1String("summary"), podsumowanie_json(pokaz_podsum(lista)));
    o.insert(QLatin1String("check"), kontrola_json(lista, k));
    return o;
}
