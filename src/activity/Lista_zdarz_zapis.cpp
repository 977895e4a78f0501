// Period list: writing the periods, their points and the entered periods to the database.
#include "activity/Lista_zdarz.h"

#include "host/KatyCzas.h"
#include "host/db/Query.h"
#include "host/db/StoredProc.h"

#include <cmath>

namespace {

constexpr double kPrawiePolnoc = 86399.0 / 86400.0; // 23:59:59
constexpr double kMinuta = 1.0 / 1440.0;
constexpr double kMinKat = 0.25; // one minute of chart clock
constexpr double kDociaganie = 0.3;

double zaokraglij_kat(double kat, double kat24) {
    return host::Zaokragl_Xm(kat, 360.0, 0, kat24);
}

double zaokraglij_czas(double t) {
    return host::Zaokragl_Xm(t, 1.0, 0, 0.0);
}

// Forward length kat_od..kat_do folded into 0..360; a whole turn counts as 0.
bool zerowa_dlugosc(double kat_od, double kat_do) {
    const double d = host::Katdo360(kat_do - kat_od);
    return d < 1e-4 || d > 360.0 - 1e-4;
}

// Circular distance of two angles, 0..180.
double odleglosc_katow(double a, double b) {
    const double d = host::Katdo360(a - b);
    return d > 180.0 ? 360.0 - d : d;
}

bool w_dniu_tarczy(double czas_do, double T) {
    return czas_do > T && czas_do < kPrawiePolnoc;
}

void zapisz_org(const IKxZdarzenie& e, int id_tarczy, host::TDateTime data, double T) {
    const double t_od = zaokraglij_czas(e.get_czas_od().timeOfDay());
    const double t_do = zaokraglij_czas(e.get_czas_do().timeOfDay());
    const double dzien = t_od < T ? data + 1.0 : static_cast<double>(data);
    const double od = dzien + t_od;
    double do_ = dzien + t_do;
    if (do_ <= od) do_ += 1.0;
    host::Query q(QStringLiteral(
        "insert into poz_zdarz_org (id_t, czas_od, czas_do, km, czy_praca, kat_trw, podjazd, "
        "pz_zespol, out, slot, gbox, czy_przerwa, km_wer) values (:id_t, :czas_od, :czas_do, "
        ":km, :czy_praca, :kat_trw, :podjazd, :pz_zespol, :out, :slot, null, :czy_przerwa, "
        "null)"));
    q.setParam(QStringLiteral("id_t"), id_tarczy);
    q.setParam(QStringLiteral("czas_od"), host::TDateTime(od));
    q.setParam(QStringLiteral("czas_do"), host::TDateTime(do_));
    q.setParam(QStringLiteral("km"), e.get_km());
    q.setParam(QStringLiteral("czy_praca"), static_cast<int>(e.get_czy_praca()));
    q.setParam(QStringLiteral("kat_trw"), e.get_kat_trw());
    q.setParam(QStringLiteral("podjazd"), static_cast<int>(e.get_podjazd()));
    q.setParam(QStringLiteral("pz_zespol"), static_cast<int>(e.get_pz_zespol()));
    q.setParam(QStringLiteral("out"), static_cast<int>(e.get_out()));
    q.setParam(QStringLiteral("slot"), e.get_slot());
    q.setParam(QStringLiteral("czy_przerwa"), static_cast<int>(e.get_czy_przerwa()));
    host::ExecQuery(q);
}

} // namespace

int Lista_zdarz::zapisz_zdarzenia(int id_tarczy, int istniala, host::TDateTime data, int& blad,
                                  int przepisz, int id_k_stary, int id_k_nowy) {
    const QString ogon = QStringLiteral(". Data %1. ID Kierowcy %2. ID tarczy %3")
                             .arg(host::FormatDateTime(QStringLiteral("yyyy-mm-dd"), data))
                             .arg(id_k_nowy)
                             .arg(id_tarczy);
    zapisz_log(QStringLiteral("Zapis czynności z wykresowki") + ogon +
               QStringLiteral(". Czynności: %1").arg(liczba()));
    int wynik = 0;

    if (istniala) {
        try {
            if (!przepisz && id_k_stary != id_k_nowy)
                host::SPEED_ZmienKierPozZdarz(id_tarczy, id_k_stary, id_k_nowy);
            if (przepisz) {
                host::SPEED_UsunPozZdarz(id_tarczy, id_k_nowy);
                host::Query q(QStringLiteral("delete from poz_zdarz where id_t=:id_t"));
                q.setParam(QStringLiteral("id_t"), id_tarczy);
                host::ExecQuery(q);
            } else if (!czy_szczeg) {
                host::Query q(QStringLiteral("delete from punkty_zdarz where id_tpz in (select "
                                             "id_tpz from poz_zdarz where id_t = :idt)"));
                q.setParam(QStringLiteral("idt"), id_tarczy);
                host::ExecQuery(q);
            }
            if (czy_szczeg) {
                host::Query q(QStringLiteral("delete from punkty_tacho where id_t=:id_t"));
                q.setParam(QStringLiteral("id_t"), id_tarczy);
                host::ExecQuery(q);
            }
        } catch (const std::exception&) {
            zapisz_log(QStringLiteral("Usunięcie starych czynności z wykresowki nieudane") + ogon);
            blad = 1;
        }
    }
    if (blad) return wynik;

    try {
        przenies_punkty();
        const double T = host::KatNaGodz(kat_rozp, kat24).timeOfDay();
        const host::TDateTime nastepny = data + 1.0;
        bool pierwszy_zapisany = true;
        double poprzedni_koniec = 0.0;
        for (Zdarzenie* z = pierwszy; z && !blad; z = z->nast) {
            zapisz_log(QStringLiteral("Zapis danej czynności. Typ: %1 Kroki: 1").arg(z->czy_praca));
            z->kat_od = zaokraglij_kat(z->kat_od, kat24);
            z->czas_od = host::KatNaGodz(host::Katdo360(z->kat_od), kat24);
            if (z->nast) {
                z->kat_do = zaokraglij_kat(z->kat_do, kat24);
                z->czas_do = host::KatNaGodz(host::Katdo360(z->kat_do), kat24);
                if (std::fabs(z->kat_od - 360.0 - z->kat_do) < 1e-4) z->kat_od -= 360.0;
                if (zerowa_dlugosc(z->kat_od, z->kat_do)) {
                    z->kat_do = z->kat_od + kMinKat;
                    z->czas_do = z->czas_od + kMinuta;
                }
                // Periods stay contiguous.
                z->nast->kat_od = z->kat_do;
                z->nast->czas_od = z->czas_do;
            } else {
                z->kat_do = zaokraglij_kat(z->kat_do, kat24);
                if (ile > 0 && std::fabs(z->kat_do - z->kat_od) < 1e-9) {
                    if (przepisz) z->id_tpz = 0;
                    continue;
                }
                const double koniec_tarczy = host::Katdo360(kat_rozp + 359.99);
                if (odleglosc_katow(z->kat_do, koniec_tarczy) <= kDociaganie && !bez_dociagania)
                    z->kat_do = koniec_tarczy;
                z->czas_do = host::KatNaGodz(host::Katdo360(z->kat_do), kat24);
            }

            if (!przepisz) {
                if (z->czy_praca > 0 && !w_dniu_tarczy(z->czas_do, T)) wynik = 1;
                continue;
            }

            std::unique_ptr<IKxZdarzenie> e = zrob_zdarzenie(*z, NEW_Zdarzenie);
            if (!e) throw host::DbError(QStringLiteral("no event-conversion library"));
            const double od = pierwszy_zapisany
                                  ? static_cast<double>(data) + zaokraglij_czas(z->czas_od)
                                  : poprzedni_koniec;
            const double t_do = zaokraglij_czas(z->czas_do);
            double do_;
            if (w_dniu_tarczy(z->czas_do, T)) {
                do_ = data + t_do;
            } else {
                do_ = nastepny + t_do;
                const bool rowne = std::fabs(z->czas_od - z->czas_do) < 1e-9 && ile > 0;
                if (rowne && std::fabs(od + 1.0 - do_) < 1e-9)
                    do_ = data + t_do;
                else if (z->czy_praca > 0)
                    wynik = 1;
            }
            if (od > do_ + 1e-9) do_ += 1.0;
            e->set_id_t(id_tarczy);
            e->set_slot(0);
            e->set_czas_od(od);
            e->set_czas_do(do_);
            e->set_kat_trw(z->kat_trw());
            e->set_km(km_do_zapisu(z->km));
            e->set_dodatkowe2(0);

            host::StoredProc p(QStringLiteral("PZapPozZdarz"));
            p.setParam(QStringLiteral("@id_t"), id_tarczy);
            p.setParam(QStringLiteral("@slot"), e->get_slot());
            p.setParam(QStringLiteral("@czas_od"), e->get_czas_od());
            p.setParam(QStringLiteral("@czas_do"), e->get_czas_do());
            p.setParam(QStringLiteral("@kat_trw"), e->get_kat_trw());
            p.setParam(QStringLiteral("@km"), e->get_km());
            p.setParam(QStringLiteral("@czy_praca"), static_cast<int>(e->get_czy_praca()));
            p.setParam(QStringLiteral("@podjazd"), static_cast<int>(e->get_podjazd()));
            p.setParam(QStringLiteral("@out"), static_cast<int>(e->get_out()));
            p.setParam(QStringLiteral("@czy_przerwa"), static_cast<int>(e->get_czy_przerwa()));
            p.setParam(QStringLiteral("@pz_zespol"), static_cast<int>(e->get_pz_zespol()));
            p.setParam(QStringLiteral("@km_wer"), nullptr);
            p.setParam(QStringLiteral("@id_tpz"), nullptr);
            p.setParam(QStringLiteral("@gbox"), nullptr);
            zapisz_log(QStringLiteral(" 22"));
            try {
                host::ExecProc(p);
                wynik_zapisu = p.ReturnValue();
                z->id_tpz = p.param(QStringLiteral("@id_tpz")).toInt();
                zapisz_log(QStringLiteral(" 25"));
                host::SPEED_ZapiszPozZdarz(z->id_tpz, id_k_nowy, e->get_czas_od(), e->get_czas_do(),
                                           z->czy_praca, 0);
            } catch (const std::exception&) {
                zapisz_log(QStringLiteral(" BŁĄD ZAPISU CZYNNOŚCI"));
                blad = 1;
                break;
            }
            zapisz_log(QStringLiteral(" 26"));
            pierwszy_zapisany = false;
            poprzedni_koniec = do_;
        }

        if (!blad && !czy_szczeg) {
            zapisz_log(QStringLiteral("Zapis sierżantów z czynności jazdy") + ogon +
                       QStringLiteral(". Liczba sierżantów: %1").arg(ile_punktow()));
            for (const Zdarzenie* z = pierwszy; z && !blad; z = z->nast)
                z->punkty->zapisz_punkty_zdarz(z->id_tpz, blad);
            zapisz_log(QStringLiteral("Po zapisie sierżantów z czynności"));
        }
        if (!blad) {
            const double T_org = T;
            for (std::size_t i = zapisane_oryginalne; i < oryginalne.size(); ++i)
                zapisz_org(*oryginalne[i], id_tarczy, data, T_org);
        }
        if (!blad && czy_szczeg) {
            zapisz_log(QStringLiteral("Zapis sierżantów z wykresówki szczegółowej") + ogon);
            punkty_tarczy->zapisz_punkty_tacho(id_tarczy, blad);
            zapisz_log(QStringLiteral("Po zapisie sierżantów z wykresówki szczegółowej"));
        }
    } catch (const std::exception&) {
        blad = 1;
    }
    if (blad) zapisz_log(QStringLiteral("Zapis czynności z wykresowki nieudany") + ogon);
    return wynik;
}
