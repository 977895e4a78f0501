#include "activity/ZapisTarczy.h"

#include "activity/ObrazZapisu.h"

#include "host/Dialogi.h"
#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/Ustawienia.h"
#include "host/db/Query.h"
#include "host/db/StoredProc.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace {

constexpr int kRekordUsuniety = 101; // PZapTacho: the chart row is gone
constexpr int kKtoryZmiana = 1;      // kind of change notice written by a chart save

int minuty(host::TDateTime t) {
    return static_cast<int>(std::floor(static_cast<double>(t) * 1440.0 + 0.5));
}

QString hhnn(int min) {
    return QStringLiteral("%1:%2")
        .arg(min / 60, 2, 10, QLatin1Char('0'))
        .arg(min % 60, 2, 10, QLatin1Char('0'));
}

QString tekst(const char* klucz) {
    return host::LoadResstrings(QLatin1String(klucz));
}

QVariant albo_null(const std::optional<int>& v) {
    return v ? QVariant(*v) : QVariant();
}

QVariant klucz_albo_null(int id) {
    return id > 0 ? QVariant(id) : QVariant();
}

// Stops the save: the message is shown and its key returned.
QString stop(const char* klucz) {
    host::InfoBox(tekst(klucz), host::MB_OK | host::MB_ICONINFORMATION);
    return QLatin1String(klucz);
}

bool nieobecny(int id_k, host::TDateTime data) {
    host::Query q(QStringLiteral("SELECT count(*) as ile FROM nieobecnosc n inner join dzien as d "
                                 "on d.id_dnia = n.id_dnia where d.dzien = 1 \t\tand n.id_k = "
                                 ":id_k  and :data between data_od and data_do"));
    q.setParam(QStringLiteral("id_k"), id_k);
    q.setParam(QStringLiteral("data"), data);
    host::OpenQuery(q);
    return !q.Eof() && q.asInteger(QStringLiteral("ile")) > 0;
}

// The working time of the chart: from the start of its first working period to the end of
// its last, counted from the start of recording on the chart day. None without work.
std::optional<std::pair<host::TDateTime, host::TDateTime>> czas_pracy(const NaglowekTarczy& n,
                                                                      const Lista_zdarz& l) {
    const double rozp = n.data.datePart() + host::KatNaGodz(l.kat_rozp, l.kat24).timeOfDay();
    std::optional<std::pair<double, double>> zakres;
    for (const Zdarzenie* z = l.pierwszy; z; z = z->nast) {
        if (z->czy_praca <= 0) continue;
        const double od = host::Katdo360(z->kat_od - l.kat_rozp) / 360.0;
        const double do_ = od + z->kat_trw() / 360.0;
        zakres = zakres ? std::pair{std::min(zakres->first, od), std::max(zakres->second, do_)}
                        : std::pair{od, do_};
    }
    if (!zakres) return std::nullopt;
    return std::pair{host::TDateTime(rozp + zakres->first), host::TDateTime(rozp + zakres->second)};
}

// The other chart's working time (its first start to its last end) overlaps [od, do_).
bool praca_nachodzi(int id_t, host::TDateTime od, host::TDateTime do_) {
    host::Query q(QStringLiteral("select min(czas_od) as mincz, max(czas_do) as maxcz\n"
                                 "from poz_zdarz where id_t = :id_t and czy_praca > 0"));
    q.setParam(QStringLiteral("id_t"), id_t);
    host::OpenQuery(q);
    if (q.Eof() || q.isNull(QStringLiteral("mincz"))) return false;
    return q.asDateTime(QStringLiteral("mincz")) < do_ &&
           q.asDateTime(QStringLiteral("maxcz")) > od;
}

// The charts found, one line each (date, driver, vehicle, key), and their kinds.
QString opis_tarcz(const std::vector<int>& id, std::vector<TarczaDoOtwarcia>& tarcze) {
    QString opis;
    for (int idt : id) {
        host::Query q(QStringLiteral("select id_t, data, nazwisko_imie, nr_rej, cyfrowy\n"
                                     "from vlistatacho\nwhere id_jezyka = :id_jezyka and id_t = "
                                     ":id_t"));
        q.setParam(QStringLiteral("id_jezyka"), host::GetLanguageId());
        q.setParam(QStringLiteral("id_t"), idt);
        host::OpenQuery(q);
        if (q.Eof()) continue;
        opis += QStringLiteral("\n%1  %2  %3  (%4)")
                    .arg(host::FormatDateTime(QStringLiteral("yyyy-mm-dd"),
                                              q.asDateTime(QStringLiteral("data"))),
                         q.asString(QStringLiteral("nazwisko_imie")),
                         q.asString(QStringLiteral("nr_rej")))
                    .arg(idt);
        tarcze.push_back({idt, q.asInteger(QStringLiteral("cyfrowy"))});
    }
    return opis;
}

struct BladZapisu {};

} // namespace

std::vector<int> inne_tarcze_osob(const NaglowekTarczy& n, bool po_dacie, host::TDateTime od,
                                  host::TDateTime do_) {
    QString sql = QStringLiteral(
        "select distinct t.id_t from tacho t inner join poz_zdarz p on p.id_t = t.id_t "
        "where (t.id_k = :id_k or t.id_konwojenta = :id_k1 or t.id_konwojenta2 = :id_k2 ");
    if (n.id_konwojenta > 0)
        sql += QStringLiteral("or t.id_k = :id_konwojenta or t.id_konwojenta = :id_konwojenta1 "
                              "or t.id_konwojenta2 = :id_konwojenta2 ");
    if (n.id_konwojenta2 > 0)
        sql += QStringLiteral("or t.id_k = :id_konwojenta20 or t.id_konwojenta = "
                              ":id_konwojenta21 or t.id_konwojenta2 = :id_konwojenta22 ");
    sql += QStringLiteral(") ");
    if (n.id_tarczy > 0) sql += QStringLiteral("and t.id_t <> :id_t ");
    if (po_dacie)
        sql += QStringLiteral("and t.data = :data and t.cyfrowy <> 2");
    else
        sql +=
            QStringLiteral("and t.data >= :data_od and t.data <= :data_do and p.czy_praca <> 0 "
                           "and p.czas_od < :czas_do and p.czas_do > :czas_od and t.cyfrowy <> 2");
    host::Query q(sql);
    for (const char* p : {"id_k", "id_k1", "id_k2"})
        q.setParam(QLatin1String(p), n.id_k);
    for (const char* p : {"id_konwojenta", "id_konwojenta1", "id_konwojenta2"})
        q.setParam(QLatin1String(p), n.id_konwojenta);
    for (const char* p : {"id_konwojenta20", "id_konwojenta21", "id_konwojenta22"})
        q.setParam(QLatin1String(p), n.id_konwojenta2);
    q.setParam(QStringLiteral("id_t"), n.id_tarczy);
    q.setParam(QStringLiteral("data"), host::TDateTime(n.data.datePart()));
    q.setParam(QStringLiteral("czas_od"), od);
    q.setParam(QStringLiteral("czas_do"), do_);
    q.setParam(QStringLiteral("data_od"), host::TDateTime(od - 1.0));
    q.setParam(QStringLiteral("data_do"), host::TDateTime(do_ + 1.0));
    host::OpenQuery(q);
    std::vector<int> id;
    for (; !q.Eof(); q.Next())
        id.push_back(q.asInteger(QStringLiteral("id_t")));
    return id;
}

FiguryZdarzen figury_zdarzen(const Lista_zdarz& l) {
    FiguryZdarzen f;
    f.jazda = minuty(l.czas_czynnosci(kJazda));
    f.praca = minuty(l.czas_czynnosci(kPraca));
    f.dyzur = minuty(l.czas_czynnosci(kDyzur));
    f.punkty = l.ile_punktow();
    l.ile_podjazd_out(f.podjazd, f.out);
    return f;
}

QString zdarz_podsum(const Lista_zdarz& l, const std::optional<FiguryZdarzen>& przy_otwarciu) {
    const FiguryZdarzen f = figury_zdarzen(l);
    if (przy_otwarciu && *przy_otwarciu == f) return {};
    QString s = QStringLiteral("%1,%2,%3,00:00,%4")
                    .arg(hhnn(f.jazda), hhnn(f.praca), hhnn(f.dyzur))
                    .arg(f.punkty);
    if (f.podjazd != 0 || f.out != 0) s += QStringLiteral(",%1,%2").arg(f.podjazd).arg(f.out);
    return s;
}

QString katalog_obrazow() {
    return QDir(host::GetZm(QStringLiteral("sciezka_ob"), QStringLiteral("KX")).toString())
        .filePath(QStringLiteral("Image"));
}

QString sprawdz_przed_zapisem(const NaglowekTarczy& n, const Lista_zdarz& lista,
                              std::vector<TarczaDoOtwarcia>* do_otwarcia) {
    if (n.data.datePart() <= 1.0) return stop("Resstrings_IDS_ustaw_date_tarczy");
    if (host::GetZm(QStringLiteral("ostrz_godz_rozp"), QStringLiteral("KX")).toBool() &&
        host::InfoBox(tekst("Resstrings_IDS_ChildZmianaGodzRozp"),
                      host::MB_YESNO | host::MB_ICONQUESTION) != host::IDYES)
        return QStringLiteral("Resstrings_IDS_ChildZmianaGodzRozp");
    if (n.id_k <= 0) return stop("Resstrings_IDS_ChildNieMaKierowcy");
    if (n.id_s <= 0) return stop("Resstrings_IDS_ChildNieMaSamochodu");
    if ((n.id_konwojenta > 0 && n.id_konwojenta == n.id_k) ||
        (n.id_konwojenta2 > 0 && n.id_konwojenta2 == n.id_k))
        return stop("Resstrings_IDS_kierowca_rozny_od_konwojenta");
    if (n.id_konwojenta > 0 && n.id_konwojenta == n.id_konwojenta2)
        return stop("Resstrings_IDS_prosze_wybrac_roznych_konwojentow");

    const QString dzien = host::FormatDateTime(QStringLiteral("yyyy-mm-dd"), n.data);
    const std::pair<int, const char*> osoby[] = {
        {n.id_k, "Resstrings_IDS_Szablon_Wolne1"},
        {n.id_konwojenta, "Resstrings_IDS_Szablon_Wolne_konwojent"}};
    for (const auto& [id, klucz] : osoby)
        if (id > 0 && nieobecny(id, n.data) &&
            host::InfoBox(tekst(klucz).replace(QStringLiteral("%1"), dzien),
                          host::MB_YESNO | host::MB_ICONQUESTION) != host::IDYES)
            return QLatin1String(klucz);

    if (host::GetZm(QStringLiteral("nachodzenie_poz"), QStringLiteral("KX")).toBool()) {
        QString znalezione;
        std::vector<int> id;
        if (const auto praca = czas_pracy(n, lista)) {
            for (int idt : inne_tarcze_osob(n, false, praca->first, praca->second))
                if (praca_nachodzi(idt, praca->first, praca->second)) id.push_back(idt);
            if (!id.empty()) znalezione = tekst("Resstrings_IDS_ChildTarczaWBazie1");
        }
        if (id.empty()) {
            id = inne_tarcze_osob(n, true);
            if (!id.empty()) znalezione = tekst("Resstrings_IDS_ChildTarczaWBazie2");
        }
        if (!id.empty() && host::InfoBox(znalezione + QLatin1Char('\n') +
                                             tekst("Resstrings_IDS_ChildZapisacTarcze"),
                                         host::MB_YESNO | host::MB_ICONQUESTION) != host::IDYES) {
            // Not saving beside them: the user may want to look at them instead.
            std::vector<TarczaDoOtwarcia> tarcze;
            const QString opis = opis_tarcz(id, tarcze);
            if (do_otwarcia && !tarcze.empty() &&
                host::InfoBox(opis.mid(1) + QStringLiteral("\n\n") +
                                  tekst("Resstrings_IDS_otworz_wymienione_tarczki") +
                                  QLatin1Char('?'),
                              host::MB_YESNO | host::MB_ICONQUESTION) == host::IDYES)
                *do_otwarcia = std::move(tarcze);
            return QStringLiteral("Resstrings_IDS_ChildZapisacTarcze");
        }
    }

    const QFileInfo katalog(n.katalog_obrazow);
    if (n.katalog_obrazow.isEmpty() || !katalog.isDir() || !katalog.isWritable())
        return stop("Resstrings_IDS_ChildNiewlascFldObr");
    return {};
}

ZapisTarczy::ZapisTarczy(const NaglowekTarczy& naglowek, Lista_zdarz& lista,
                         const lista_rozladunkow& punkty_specjalne)
    : n_(naglowek), lista_(lista), punkty_(punkty_specjalne) {}

QString ZapisTarczy::ogon() const {
    return QStringLiteral(". Data %1. Kierowca %2. Pojazd %3. ID %4")
        .arg(host::FormatDateTime(QStringLiteral("yyyy-mm-dd"), n_.data), n_.kierowca, n_.pojazd)
        .arg(n_.id_tarczy);
}

namespace {

struct Partner {
    int id_t = 0;
    int id_k = 0; // 0: the partner chart has no driver
};

// Charts of the same day and vehicle sharing an odometer reading, of another driver (or of
// none), whose crew mark is one of the two given.
std::optional<Partner> partner_zespolu(const NaglowekTarczy& n, int zespol1, int zespol2) {
    host::Query q(QStringLiteral(
        "select t.id_t, t.id_k\nfrom tacho as t\nwhere t.data=:data and t.id_s=:ids and "
        "(t.km_pocz=:km_pocz or t.km_kon=:km_kon) and (t.id_k<>:idk or t.id_k is null)\n"
        "and (t.zespol=:zespol1 or t.zespol=:zespol2)"));
    q.setParam(QStringLiteral("data"), host::TDateTime(n.data.datePart()));
    q.setParam(QStringLiteral("ids"), n.id_s);
    q.setParam(QStringLiteral("km_pocz"), albo_null(n.km_pocz));
    q.setParam(QStringLiteral("km_kon"), albo_null(n.km_kon));
    q.setParam(QStringLiteral("idk"), n.id_k);
    q.setParam(QStringLiteral("zespol1"), zespol1);
    q.setParam(QStringLiteral("zespol2"), zespol2);
    host::OpenQuery(q);
    // The chart itself shares its own readings; it is never its own partner.
    for (; !q.Eof(); q.Next()) {
        const int id = q.asInteger(QStringLiteral("id_t"));
        if (id != n.id_tarczy) return Partner{id, q.asInteger(QStringLiteral("id_k"))};
    }
    return std::nullopt;
}

QString nazwisko_kierowcy(int id_k) {
    host::Query q(QStringLiteral("select trim(nazwisko || ' ' || coalesce(imie, '')) as n "
                                 "from kierowca where id_k = :id_k"));
    q.setParam(QStringLiteral("id_k"), id_k);
    host::OpenQuery(q);
    return q.Eof() ? QString() : q.asString(QStringLiteral("n"));
}

bool dalej(const QString& tekst_pytania) {
    return host::InfoBox(tekst_pytania, host::MB_OKCANCEL | host::MB_ICONQUESTION) == host::IDOK;
}

} // namespace

QString ZapisTarczy::sprawdz_zespol() {
    log(QStringLiteral("Spr. zespolu. "));
    if (n_.id_tarczy > 0) {
        log(QStringLiteral("Otwarcie Stare. "));
        host::Query stare(QStringLiteral(
            "select km_pocz, km_kon, id_s, data, id_k, kat_rozp, zespol, adnotacje, rodzaj, "
            "typ_dnia, km_obl, ps, cyfrowy, status, id_konwojenta, id_konwojenta2, nieczytelna, "
            "blad_obsl_t, niekompletne, przerysowana from tacho where id_t = :idt"));
        stare.setParam(QStringLiteral("idt"), n_.id_tarczy);
        host::OpenQuery(stare);
        // Another user deleted it: writing would bring back a chart they removed.
        if (stare.Eof()) return QStringLiteral("Resstrings_IDS_Rekord_usuniety");
    }
    // A crew chart names its partner; any other chart that could be one is only a warning.
    if (n_.zespol != 0) {
        log(QStringLiteral("Otwarcie zespol. "));
        if (const auto p = partner_zespolu(n_, 1, n_.zespol)) {
            if (p->id_k <= 0)
                return dalej(tekst("Resstrings_IDS_ChildBrakKierowcy"))
                           ? QString()
                           : QStringLiteral("Resstrings_IDS_ChildBrakKierowcy");
            const QString o =
                QStringLiteral("%1 %2 %3 %4 %5, %6 %7")
                    .arg(tekst("Resstrings_IDS_ChildZespolDoTarczy"),
                         tekst("Resstrings_IDS_ChildDlaKierowcy"), nazwisko_kierowcy(p->id_k),
                         tekst("Resstrings_IDS_ChildZDnia"),
                         host::FormatDateTime(QStringLiteral("yyyy-mm-dd"), n_.data),
                         tekst("Resstrings_IDS_ChildJestTarczaNr"))
                    .arg(p->id_t);
            return dalej(o) ? QString() : QStringLiteral("Resstrings_IDS_ChildZespolDoTarczy");
        }
    }
    log(QStringLiteral("Otwarcie zespol. "));
    if (partner_zespolu(n_, 0, 1))
        host::InfoBox(tekst("Resstrings_IDS_MozliweNieZespoly"),
                      host::MB_OK | host::MB_ICONINFORMATION);
    return {};
}

void ZapisTarczy::zapisz_tacho(const QString& podsum, WynikZapisu& w) {
    host::StoredProc p(QStringLiteral("PZapTacho"));
    const Lista_zdarz& l = lista_;
    p.setParam(QStringLiteral("@km_pocz"), albo_null(n_.km_pocz));
    p.setParam(QStringLiteral("@km_kon"), albo_null(n_.km_kon));
    p.setParam(QStringLiteral("@ids"), klucz_albo_null(n_.id_s));
    p.setParam(QStringLiteral("@idk"), klucz_albo_null(n_.id_k));
    p.setParam(QStringLiteral("@id_konwojenta"), klucz_albo_null(n_.id_konwojenta));
    p.setParam(QStringLiteral("@id_konwojenta2"), klucz_albo_null(n_.id_konwojenta2));
    p.setParam(QStringLiteral("@data"), host::TDateTime(n_.data.datePart()));
    p.setParam(QStringLiteral("@kat24"), l.kat24);
    p.setParam(QStringLiteral("@kat_rozp"), l.kat_rozp);
    p.setParam(QStringLiteral("@x0"), n_.x0);
    p.setParam(QStringLiteral("@y0"), n_.y0);
    p.setParam(QStringLiteral("@pocz_sr_godz"), n_.pocz_sr_godz);
    p.setParam(QStringLiteral("@rodzaj"), n_.rodzaj);
    p.setParam(QStringLiteral("@typ_dnia"), n_.typ_dnia);
    p.setParam(QStringLiteral("@km_obl"), n_.km_obl);
    p.setParam(QStringLiteral("@czy_szczeg"), l.czy_szczeg);
    p.setParam(QStringLiteral("@kat_zak"),
               l.kat_zak == Lista_zdarz::kBrakKataZak ? QVariant() : QVariant(l.kat_zak));
    p.setParam(QStringLiteral("@status"), n_.status);
    p.setParam(QStringLiteral("@ps"), n_.ps);
    p.setParam(QStringLiteral("@zespol"), n_.zespol);
    p.setParam(QStringLiteral("@adnotacje"), n_.adnotacje);
    p.setParam(QStringLiteral("@idt"), n_.id_tarczy);
    p.setParam(QStringLiteral("@pv"), static_cast<int>(n_.pv.size()));
    p.setParam(QStringLiteral("@cyfrowy"), n_.cyfrowy);
    p.setParam(QStringLiteral("@dzien_kal"),
               n_.dzien_kal ? QVariant::fromValue(*n_.dzien_kal) : QVariant());
    p.setParam(QStringLiteral("@przes_utc"), albo_null(n_.przes_utc));
    p.setParam(QStringLiteral("@nazwa_pliku"), n_.nazwa_pliku);
    p.setParam(QStringLiteral("@id_u"), n_.id_u);
    p.setParam(QStringLiteral("@zdarz_podsum"), podsum);
    p.setParam(QStringLiteral("@adnotacje_mod"), n_.adnotacje_mod);
    p.setParam(QStringLiteral("@status_tacho"), albo_null(n_.status_tacho));
    p.setParam(QStringLiteral("@nieczytelna"), n_.nieczytelna);
    p.setParam(QStringLiteral("@blad_obsl_t"), n_.blad_obsl_t);
    p.setParam(QStringLiteral("@niekompletne"), n_.niekompletne);
    p.setParam(QStringLiteral("@przerysowana"), n_.przerysowana);
    p.setParam(QStringLiteral("@brak_wr"), n_.brak_wr);
    p.setParam(QStringLiteral("@kilka_wykr"), n_.kilka_wykr);
    p.setParam(QStringLiteral("@nieprawidlowa"), n_.nieprawidlowa);
    p.setParam(QStringLiteral("@niezgodnosc_cz"), n_.niezgodnosc_cz);
    p.setParam(QStringLiteral("@wirtualne_przem"), n_.wirtualne_przem);
    p.setParam(QStringLiteral("@wer_km"), albo_null(n_.wer_km));
    p.setParam(QStringLiteral("@czy_zaswiadczenie"), n_.czy_zaswiadczenie);
    p.setParam(QStringLiteral("@czy_reczna"), n_.czy_reczna);
    p.setParam(QStringLiteral("@id_nrk"), albo_null(n_.id_nrk));
    try {
        host::ExecProc(p);
    } catch (const std::exception&) {
        log((n_.id_tarczy > 0 ? QStringLiteral("Zapis edytowanej wykresowki nieudany")
                              : QStringLiteral("Zapis nowej wykresowki nieudany")) +
            ogon());
        throw;
    }
    if (p.ReturnValue() == kRekordUsuniety) {
        w.klucz_bledu = QStringLiteral("Resstrings_IDS_Rekord_usuniety");
        throw BladZapisu{};
    }
    w.id_tarczy = p.param(QStringLiteral("@id_t")).toInt();
}

void ZapisTarczy::zapisz_pv(int id_tarczy) {
    host::Query usun(QStringLiteral("delete from pv where id_t = :id_t"));
    usun.setParam(QStringLiteral("id_t"), id_tarczy);
    host::ExecQuery(usun);
    host::Query q(QStringLiteral("insert into pv\n(id_t, kat_p, kat_k, widoczny)\nvalues\n(:id_t, "
                                 ":kat_p, :kat_k, :widoczny)"));
    for (const ZakresPv& z : n_.pv) {
        q.setParam(QStringLiteral("id_t"), id_tarczy);
        q.setParam(QStringLiteral("kat_p"), z.kat_p);
        q.setParam(QStringLiteral("kat_k"), z.kat_k);
        q.setParam(QStringLiteral("widoczny"), z.widoczny);
        host::ExecQuery(q);
    }
}

void ZapisTarczy::zapisz_komunikacje(int id_tarczy) {
    if (!host::GetZm(QStringLiteral("Lista Tachozmian"), QStringLiteral("ROZ")).toBool()) return;
    const host::TDateTime dzien(n_.data.datePart());
    for (int id_k : {n_.id_k, n_.id_konwojenta, n_.id_konwojenta2}) {
        if (id_k <= 0) continue;
        host::Query jest(
            QStringLiteral("select count(*) as tak from Komunikacja \nwhere "
                           "id_k=:id_k and data=:data and id_t=:id_t and ktory>=:ktory"));
        jest.setParam(QStringLiteral("id_k"), id_k);
        jest.setParam(QStringLiteral("data"), dzien);
        jest.setParam(QStringLiteral("id_t"), id_tarczy);
        jest.setParam(QStringLiteral("ktory"), kKtoryZmiana);
        host::OpenQuery(jest);
        if (!jest.Eof() && jest.asInteger(QStringLiteral("tak")) > 0) {
            host::Query usun(QStringLiteral(
                "delete from Komunikacja \nwhere id_k=:id_k and data=:data and id_t=:id_t"));
            usun.setParam(QStringLiteral("id_k"), id_k);
            usun.setParam(QStringLiteral("data"), dzien);
            usun.setParam(QStringLiteral("id_t"), id_tarczy);
            host::ExecQuery(usun);
        }
        host::Query kal(QStringLiteral(
            "select count(*) as tak from kalendarz where id_k=:id_k and data=:data"));
        kal.setParam(QStringLiteral("id_k"), id_k);
        kal.setParam(QStringLiteral("data"), dzien);
        host::OpenQuery(kal);
        if (kal.Eof() || kal.asInteger(QStringLiteral("tak")) == 0) continue;
        host::Query dodaj(QStringLiteral("insert into Komunikacja\n(id_t, id_k, data, ktory)\n"
                                         "values (:id_t, :id_k, :data, :ktory)"));
        dodaj.setParam(QStringLiteral("id_t"), id_tarczy);
        dodaj.setParam(QStringLiteral("id_k"), id_k);
        dodaj.setParam(QStringLiteral("data"), dzien);
        dodaj.setParam(QStringLiteral("ktory"), kKtoryZmiana);
        host::ExecQuery(dodaj);
    }
}

WynikZapisu ZapisTarczy::zapisz() {
    WynikZapisu w;
    w.id_tarczy = n_.id_tarczy;
    log(QStringLiteral(" Zapis wykresowki") + ogon());
    log(QStringLiteral("############# START ############# "));

    // What a failed save must give back: the keys the periods had.
    std::vector<int> klucze;
    for (const Zdarzenie* z = lista_.pierwszy; z; z = z->nast)
        klucze.push_back(z->id_tpz);

    host::Connection& c = host::GetConnection();
    ObrazZapisu obraz;
    try {
        const QString stop_zespolu = sprawdz_zespol();
        if (stop_zespolu == QStringLiteral("Resstrings_IDS_Rekord_usuniety")) {
            w.klucz_bledu = stop_zespolu;
            throw BladZapisu{};
        }
        if (!stop_zespolu.isEmpty()) {
            // The user chose not to go on: nothing is written, nothing more is said.
            w.klucz_bledu = stop_zespolu;
            return w;
        }
        c.BeginTrans();
        if (n_.id_tarczy > 0) {
            log(QStringLiteral("Exec edycja_tacho_zespol. "));
            host::Query q(QStringLiteral("UPDATE tacho SET zespol=:z WHERE id_t=:idt"));
            q.setParam(QStringLiteral("z"), n_.zespol);
            q.setParam(QStringLiteral("idt"), n_.id_tarczy);
            host::ExecQuery(q);
        }
        if (n_.status_tarczy == tekst("Resstrings_IDS_zlec_Poza_krajem1")) {
            log(QStringLiteral("Wszystko OUT."));
            lista_.wszystko_out();
        }
        log(QStringLiteral("Zrob_zdarz_podsum."));
        const QString podsum =
            zdarz_podsum(lista_, n_.istnieje ? n_.figury_przy_otwarciu : std::nullopt);
        log(QStringLiteral("Początek właściwego zapisu"));
        zapisz_tacho(podsum, w);
        zapisz_pv(w.id_tarczy);

        // The picture is written and synced beside the remaining rows; the commit waits for it.
        if (n_.obraz) {
            log(QStringLiteral("Zapis obrazu wykresowki") + ogon());
            obraz.zacznij(
                *n_.obraz,
                QDir(n_.katalog_obrazow).filePath(QStringLiteral("%1.bmp").arg(w.id_tarczy)));
        }

        int blad = 0;
        const int przepisz = !n_.istnieje || lista_.zmiana || !podsum.isEmpty();
        w.koniec_nastepnego = lista_.zapisz_zdarzenia(w.id_tarczy, n_.istnieje, n_.data.datePart(),
                                                      blad, przepisz, n_.id_k_zapisany, n_.id_k);
        if (blad) throw BladZapisu{};
        log(QStringLiteral("Po zapisie czynności") + ogon());
        punkty_.zapisz(w.id_tarczy, true);
        zapisz_komunikacje(w.id_tarczy);
        if (n_.obraz && !obraz.zaczekaj()) {
            log(QStringLiteral("Zapis obrazu wykresowki nieudany") + ogon());
            w.ostrzezenie = tekst("Resstrings_IDS_ChildKatalogNieDoZapisu");
        }
        c.CommitTrans();
        w.zapisano = true;
    } catch (const std::exception&) {
    } catch (const BladZapisu&) {
    }

    if (!w.zapisano) {
        obraz.porzuc();
        try {
            c.RollbackTrans();
        } catch (const std::exception&) {
        }
        int nr = 0;
        for (Zdarzenie* z = lista_.pierwszy; z; z = z->nast, ++nr)
            if (nr < static_cast<int>(klucze.size())) z->id_tpz = klucze[static_cast<size_t>(nr)];
        // Deleted by another user meanwhile, or not saved for any other reason.
        if (w.klucz_bledu.isEmpty() && n_.id_tarczy > 0) {
            try {
                host::Query q(QStringLiteral("select count(*) as n from tacho where id_t = :id_t"));
                q.setParam(QStringLiteral("id_t"), n_.id_tarczy);
                host::OpenQuery(q);
                if (!q.Eof() && q.asInteger(QStringLiteral("n")) == 0)
                    w.klucz_bledu = QStringLiteral("Resstrings_IDS_Rekord_usuniety");
            } catch (const std::exception&) {
            }
        }
        if (w.klucz_bledu.isEmpty()) w.klucz_bledu = QStringLiteral("Resstrings_IDS_Nie_zap_tacho");
        w.id_tarczy = n_.id_tarczy;
        w.ostrzezenie.clear();
        host::InfoBox(host::LoadResstrings(w.klucz_bledu), host::MB_OK);
        return w;
    }

    lista_.zapisane_oryginalne = lista_.oryginalne.size();
    if (obraz.oczekuje() && !obraz.przenies()) {
        log(QStringLiteral("Zapis obrazu wykresowki nieudany") + ogon());
        w.ostrzezenie = tekst("Resstrings_IDS_ChildKatalogNieDoZapisu");
    }
    if (!w.ostrzezenie.isEmpty()) host::InfoBox(w.ostrzezenie, host::MB_OK);
    log(QStringLiteral("Po zapisie wykresowki") + ogon());
    log(QStringLiteral("############# KONIEC ############# (zapisu wykresowki)"));
    return w;
}
