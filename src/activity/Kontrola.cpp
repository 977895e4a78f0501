// Driving-time rule check: daily driving, the break walks and the finding lines.
#include "activity/Kontrola.h"

#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/Ustawienia.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <deque>
#include <optional>

namespace {

// All lengths of the walks are whole minutes: the period lengths are whole minutes, so limits
// compare exactly and a length equal to a limit reaches it.
constexpr int kDzienny = 600;      // daily driving limit, 10 hours
constexpr int kJazdaCiagla = 270;  // 4.5 hours: the excess is counted from here
constexpr int kOdpoczynek = 540;   // 9 hours: a break this long is daily rest
constexpr int kBezZnaku = 480;     // 8 hours: a break this long is not marked
const QDate kData561(2007, 4, 11); // Regulation (EC) No 561/2006 applies from this date

struct Limity {
    int L = 0;   // continuous driving
    int B15 = 0; // first part of a split break
    int B30 = 0; // second part
    int B45 = 0; // complete break
    int R = 0;   // rest that ends the stretch when kpkjc is off
};

// Consecutive break periods, closed at the first period that is not a break.
struct Przerwa {
    int b = 0;         // its length
    int suma = 0;      // complete: the two parts of a split break together
    int koniec = -1;   // position of its last period
    int pierwsza = -1; // split break: position closing the first part
    bool pelna = false;
};

struct Przebieg {
    int nadmiar = 0;
    int ile_jazda_ciagla = 0;
    int ile_przerwa_krotka = 0;
    std::vector<Odcinek> odcinki;
};

class Przeglad {
public:
    Przeglad(const std::vector<Zdarzenie*>& okresy, const std::vector<int>& minuty,
             const std::vector<bool>& przerwy, Limity lim, bool kpkjc)
        : v_(okresy), min_(minuty), przerwa_(przerwy), lim_(lim), kpkjc_(kpkjc) {}

    Przebieg od_2007(); // Regulation (EC) No 561/2006
    Przebieg przed_2007();

private:
    int pierwsza_jazda() const {
        for (size_t i = 0; i < v_.size(); ++i)
            if (v_[i]->czy_praca == kJazda) return int(i);
        return -1;
    }
    Przerwa zbierz(int& i) const {
        Przerwa p;
        while (i < int(v_.size()) && przerwa_[size_t(i)])
            p.b += min_[size_t(i++)];
        p.koniec = i - 1;
        p.suma = p.b;
        return p;
    }
    void zamknij(Przebieg& w, int A, int przerwa, int od, int do_) const;
    void oznacz(const Przerwa& p) const;

    const std::vector<Zdarzenie*>& v_;
    const std::vector<int>& min_;
    const std::vector<bool>& przerwa_;
    Limity lim_;
    bool kpkjc_;
};

// A stretch ends: its excess and counters when its driving went over the limit.
void Przeglad::zamknij(Przebieg& w, int A, int przerwa, int od, int do_) const {
    if (A <= lim_.L) return;
    Odcinek o{od, do_, A, przerwa, przerwa < lim_.B45};
    w.nadmiar += A - kJazdaCiagla;
    ++w.ile_jazda_ciagla;
    if (o.krotka) ++w.ile_przerwa_krotka;
    w.odcinki.push_back(o);
}

// The break a stretch ends on; daily rest is not marked.
void Przeglad::oznacz(const Przerwa& p) const {
    if (!p.pelna || p.b >= kBezZnaku) return;
    if (p.b >= lim_.B45) {
        v_[size_t(p.koniec)]->czy_przerwa = 3;
    } else if (p.b >= lim_.B30 && p.pierwsza >= 0) {
        v_[size_t(p.koniec)]->czy_przerwa = 2;
        v_[size_t(p.pierwsza)]->czy_przerwa = 1;
    }
}

Przebieg Przeglad::od_2007() {
    Przebieg w;
    for (Zdarzenie* z : v_)
        z->czy_przerwa = 0;
    int i = pierwsza_jazda();
    if (i < 0) return w;

    // A complete break that did not end the stretch (kpkjc off), with the driving before it.
    struct Zapamietana {
        Przerwa p;
        int A, od, do_;
        int odcinek; // the stretch it was closed in
    };
    std::deque<Zapamietana> pamiec; // the two most recent
    int A = 0, od = -1, do_ = -1, odcinek = 0;
    bool czeka = false;  // a first part is pending
    bool byla30 = false; // a break of at least B30 closed since the stretch began
    Przerwa pierwsza_czesc;
    std::optional<Przerwa> ostatnia; // the break closed since the last driving
    auto nowy_odcinek = [&] {
        A = 0;
        od = do_ = -1;
        czeka = byla30 = false;
        ostatnia.reset();
        ++odcinek;
    };

    const int n = int(v_.size());
    while (i < n) {
        if (przerwa_[size_t(i)]) {
            Przerwa p = zbierz(i);
            if (p.b >= lim_.B30) byla30 = true;
            if (!czeka) {
                if (p.b >= lim_.B45) {
                    p.pelna = true;
                } else if (p.b >= lim_.B15) {
                    czeka = true;
                    pierwsza_czesc = p;
                }
            } else if (p.b >= lim_.B30) {
                p.pelna = true;
                p.suma = pierwsza_czesc.b + p.b;
                p.pierwsza = pierwsza_czesc.koniec;
                czeka = false;
            }
            ostatnia = p;
            if (!p.pelna) continue;
            if (kpkjc_ || p.suma >= lim_.R) {
                oznacz(p);
                zamknij(w, A, p.suma, od, do_);
                nowy_odcinek();
                pamiec.clear(); // never go back across a stretch that ended for good
            } else {
                pamiec.push_back({p, A, od, do_, odcinek});
                if (pamiec.size() > 2) pamiec.pop_front();
            }
            continue;
        }
        if (v_[size_t(i)]->czy_praca == kJazda) {
            A += min_[size_t(i)];
            if (od < 0) od = i;
            do_ = i;
            ostatnia.reset();
            if (A > lim_.L && !pamiec.empty()) {
                // The older break goes when nothing of B30 was closed since the stretch
                // began; an older one is the front of two, or one left from a stretch that
                // the walk already ended on the more recent.
                if (!byla30 && (pamiec.size() == 2 || pamiec.front().odcinek != odcinek))
                    pamiec.pop_front();
                if (!pamiec.empty()) {
                    const Zapamietana z = pamiec.back();
                    pamiec.pop_back();
                    oznacz(z.p);
                    zamknij(w, z.A, z.p.suma, z.od, z.do_);
                    nowy_odcinek();
                    i = z.p.koniec + 1;
                    continue;
                }
            }
        }
        ++i;
    }
    // The list ends: the stretch closes on the break taken after its last driving, if any.
    int przerwa = 0;
    if (ostatnia) {
        oznacz(*ostatnia);
        przerwa = ostatnia->pelna ? ostatnia->suma : ostatnia->b;
    }
    zamknij(w, A, przerwa, od, do_);
    return w;
}

Przebieg Przeglad::przed_2007() {
    Przebieg w;
    for (Zdarzenie* z : v_)
        z->czy_przerwa = 0;
    int i = pierwsza_jazda();
    if (i < 0) return w;
    int A = 0, suma = 0, od = -1, do_ = -1;
    const int n = int(v_.size());
    while (i < n) {
        if (przerwa_[size_t(i)]) {
            const Przerwa p = zbierz(i);
            if (p.b < lim_.B15) continue;
            suma += p.b;
            if (suma >= lim_.B45) {
                zamknij(w, A, suma, od, do_);
                A = suma = 0;
                od = do_ = -1;
            }
            continue;
        }
        if (v_[size_t(i)]->czy_praca == kJazda) {
            A += min_[size_t(i)];
            if (od < 0) od = i;
            do_ = i;
        }
        ++i;
    }
    zamknij(w, A, suma, od, do_);
    return w;
}

int minuty(host::TDateTime dni) {
    return int(std::floor(dni * 1440.0 + 0.5));
}

QString napis(const char* klucz) {
    return host::LoadResstrings(QLatin1String(klucz));
}

// "Periods No. 3-7:" in the user's language.
QString gdzie(int od, int do_) {
    QString t = napis("Resstrings_IDS_ListaPZdarzenia");
    if (!t.isEmpty()) t[0] = t[0].toUpper();
    t += QLatin1Char(' ') + napis("Resstrings_IDS_ListaPZdarzNr") + QLatin1Char(' ') +
         QString::number(od + 1);
    if (do_ != od) t += QLatin1Char('-') + QString::number(do_ + 1);
    return t + QLatin1Char(':');
}

// A duration written with "h ": "5h 07".
QString godz_min(int min) {
    return QStringLiteral("%1h %2").arg(min / 60).arg(min % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

int dlugosc_min(const Zdarzenie& z) {
    // A whole day would read as the clock's 00:00 below.
    if (z.caly_dzien()) return 24 * 60;
    double kat = z.kat_do - z.kat_od;
    if (z.kat_do <= z.kat_od) kat += 360.0;
    // Decoded as a time of day, to the millisecond, as the clock functions do.
    const double ms = std::floor(host::KatNaGodz(kat) * 86400000.0 + 0.5);
    const long long dzien = 86400000LL;
    const long long w_dniu = ((static_cast<long long>(ms) % dzien) + dzien) % dzien;
    return int(w_dniu / 60000);
}

double dlugosc_godz(const Zdarzenie& z) {
    const int m = dlugosc_min(z);
    return m / 60 + (m % 60) / 60.0;
}

UstawieniaKontroli UstawieniaKontroli::czytaj(const CzytnikUstawien& czytnik) {
    UstawieniaKontroli u;
    if (!czytnik) return u;
    auto liczba = [&](const char* klucz, int& cel) {
        const QVariant v = czytnik(QLatin1String(klucz), QStringLiteral("KX"));
        if (v.isValid()) cel = v.toInt();
    };
    auto flaga = [&](const char* klucz, bool& cel) {
        const QVariant v = czytnik(QLatin1String(klucz), QStringLiteral("KX"));
        if (v.isValid()) cel = v.toBool();
    };
    liczba("tolerancja_15", u.tolerancja_15);
    liczba("tolerancja_30", u.tolerancja_30);
    liczba("tolerancja_45", u.tolerancja_45);
    flaga("kpkjc", u.kpkjc);
    liczba("tolerancja_AETR", u.tolerancja_AETR);
    flaga("wliczaj_dy", u.wliczaj_dy);
    liczba("tolerancja_jazdy_c", u.tolerancja_jazdy_c);
    liczba("tolerancja_odp", u.tolerancja_odp);
    return u;
}

CzytnikUstawien Kontrola::host_czytnik() {
    return [](const QString& name, const QString& group) { return host::GetZm(name, group); };
}

bool Kontrola::wg_561(const QDate& data_tacho) {
    return data_tacho >= kData561;
}

Kontrola::Kontrola(CzytnikUstawien czytnik) : czytnik_(std::move(czytnik)) {}

int Kontrola::kontroluj(Lista_zdarz& lista, host::TDateTime data_tacho, int zaloga) {
    lista.ile_jazda_ciagla = 0;
    lista.ile_przerwa_krotka = 0;
    ustawienia = UstawieniaKontroli::czytaj(czytnik_);
    wynik = 0;
    jazda_dzienna = 0.0;
    dzienna_od = dzienna_do = -1;
    dzienny_limit = brak_przerw = false;
    przebiegi = wybrany_przebieg = nadmiar_min = 0;
    odcinki.clear();
    lista_bledow.clear();
    linie_dzienne_.clear();
    linie_przerw_.clear();
    sprawdzono_ = true;
    for (Zdarzenie* z = lista.pierwszy; z; z = z->nast)
        z->czy_przerwa = 0;
    if (!lista.pierwszy || !lista.ostatni) return 0;
    const UstawieniaKontroli& u = ustawienia;

    // Daily driving; a rest of nine hours inside the chart splits it into two days.
    jazda_dzienna = lista.czas_czynnosci(kJazda);
    dzienna_od = 0;
    dzienna_do = lista.ile;
    int r = -1;
    for (const Zdarzenie* z = lista.pierwszy; z && r < 0; z = z->nast)
        if (z->czy_praca < kPraca && z->kat_trw() >= 135.0) r = z->nr;
    if (r > 0 && r < lista.ile) {
        const host::TDateTime przed = lista.czas_jazdy(0, r - 1);
        const host::TDateTime po = lista.czas_jazdy(r + 1, lista.ile);
        if (po > przed) {
            jazda_dzienna = po;
            dzienna_od = r + 1;
        } else {
            jazda_dzienna = przed;
            dzienna_do = r - 1;
        }
    }
    dzienny_limit = minuty(jazda_dzienna) > kDzienny + u.tolerancja_AETR;

    // The break walks.
    std::vector<Zdarzenie*> v;
    std::vector<int> dl;
    std::vector<bool> przerwy;
    const bool od_2007 = wg_561(data_tacho.date());
    for (Zdarzenie* z = lista.pierwszy; z; z = z->nast) {
        v.push_back(z);
        dl.push_back(dlugosc_min(*z));
        const bool dyzur = od_2007 ? zaloga != 0 : u.wliczaj_dy;
        przerwy.push_back(z->czy_praca == kPostoj || (z->czy_praca == kDyzur && dyzur));
    }
    brak_przerw = std::find(przerwy.begin(), przerwy.end(), true) == przerwy.end();

    auto przejdz = [&](int t15, int t30, int t45) {
        const Limity lim{kJazdaCiagla + u.tolerancja_jazdy_c, 15 - t15, 30 - t30, 45 - t45,
                         kOdpoczynek - u.tolerancja_odp};
        Przeglad p(v, dl, przerwy, lim, u.kpkjc);
        ++przebiegi;
        return od_2007 ? p.od_2007() : p.przed_2007();
    };
    const Przebieg pierwszy = przejdz(u.tolerancja_15, u.tolerancja_30, u.tolerancja_45);
    lista.ile_jazda_ciagla = pierwszy.ile_jazda_ciagla;
    lista.ile_przerwa_krotka = pierwszy.ile_przerwa_krotka;
    nadmiar_min = pierwszy.nadmiar;
    odcinki = pierwszy.odcinki;
    if (pierwszy.nadmiar > 0 && (u.tolerancja_15 || u.tolerancja_30 || u.tolerancja_45)) {
        // Tolerances may as well hurt: a short break taken as a first part can keep a later
        // one from starting a split break. The run with less excess counts.
        const Przebieg drugi = przejdz(0, 0, 0);
        lista.ile_jazda_ciagla += drugi.ile_jazda_ciagla;
        lista.ile_przerwa_krotka += drugi.ile_przerwa_krotka;
        if (drugi.nadmiar < pierwszy.nadmiar) {
            wybrany_przebieg = 1;
            nadmiar_min = drugi.nadmiar;
            odcinki = drugi.odcinki;
        }
    }

    wynik = (dzienny_limit || nadmiar_min > 0 || brak_przerw) ? 1 : 0;
    opisz();
    return wynik;
}

void Kontrola::opisz() {
    if (dzienny_limit) {
        const int d = minuty(jazda_dzienna);
        linie_dzienne_ << napis("Resstrings_IDS_jazda_dz_za_dl")
                                  .arg(godz_min(d - kDzienny), gdzie(dzienna_od, dzienna_do)) +
                              QStringLiteral(" (") + napis("Resstrings_IDS_ListaPLacznie") +
                              QLatin1Char(' ') + godz_min(d) + QLatin1Char(')');
    }
    if (brak_przerw) linie_przerw_ << napis("Resstrings_IDS_ListaPBrakPrzerw");
    for (const Odcinek& o : odcinki)
        linie_przerw_ << gdzie(o.od, o.do_) + QLatin1Char(' ') +
                             napis("Resstrings_IDS_ListaPDlJa") + QStringLiteral(", ") +
                             godz_min(o.jazda) + QLatin1Char(' ') +
                             napis("Resstrings_IDS_ListaPLacznie") + QStringLiteral(" (+") +
                             QString::number(o.jazda - kJazdaCiagla) + QLatin1Char(' ') +
                             napis("Resstrings_IDS_ListaPMinuty") + QLatin1Char(')');
    lista_bledow = linie_dzienne_ + linie_przerw_;
}

QString Kontrola::uwagi_dzienne() const {
    if (!sprawdzono_) return {};
    if (!linie_dzienne_.isEmpty()) return linie_dzienne_.join(QStringLiteral("; "));
    return napis("Resstrings_IDS_ListaPOk") + QStringLiteral(" (") +
           napis("Resstrings_IDS_ListaPDlJaLacznie") + QLatin1Char(' ') +
           godz_min(minuty(jazda_dzienna)) + QLatin1Char(')');
}

QString Kontrola::uwagi_przerw() const {
    if (!sprawdzono_) return {};
    if (!linie_przerw_.isEmpty()) return linie_przerw_.join(QStringLiteral("; "));
    return napis("Resstrings_IDS_ListaPOk");
}
