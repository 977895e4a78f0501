#include "activity/rozladunek.h"

#include "host/KatyCzas.h"
#include "host/db/Query.h"
#include "host/db/StoredProc.h"

#include <cmath>

void lista_rozladunkow::usun(int i) {
    if (i < 0 || i >= ile()) return;
    punkty_.erase(punkty_.begin() + i);
    if (wybrany == i)
        wybrany = -1;
    else if (wybrany > i)
        --wybrany;
}

bool lista_rozladunkow::usun_wybrany() {
    if (wybrany < 0 || wybrany >= ile()) return false;
    usun(wybrany);
    return true;
}

void lista_rozladunkow::czysc() {
    punkty_.clear();
    wybrany = -1;
}

int lista_rozladunkow::wybierz(double od, double do_) {
    wybrany = -1;
    const auto szukaj = [this](double a, double b) {
        for (int i = 0; i < ile(); ++i)
            if (punkty_[size_t(i)].kat >= a && punkty_[size_t(i)].kat <= b) return i;
        return -1;
    };
    int i = -1;
    if (od < 0.0) {
        i = szukaj(od + 360.0, 359.99);
        if (i < 0) i = szukaj(0.0, do_);
    } else if (do_ >= 360.0 && int(do_) - int(od) > 5) {
        i = szukaj(od, 360.0);
        if (i < 0) i = szukaj(0.0, do_ - 360.0);
    } else {
        i = szukaj(od, do_);
    }
    wybrany = i;
    return i;
}

void lista_rozladunkow::kopiuj_do(lista_rozladunkow& cel) const {
    if (&cel == this) return;
    cel.punkty_ = punkty_;
    cel.wybrany = wybrany;
}

void lista_rozladunkow::przelicz_czasy(double dzien, double kat24, double kat_startu) {
    const double start = host::KatNaGodz(kat_startu, kat24);
    for (rozladunek& p : punkty_) {
        const double godz = host::KatNaGodz(p.kat, kat24);
        p.data = std::floor(dzien) + godz + (godz < start ? 1.0 : 0.0);
    }
}

void lista_rozladunkow::zapisz(int id_tarczy, bool zastap) const {
    if (zastap) {
        host::Query q(QStringLiteral("delete from punkty_specjalne where id_t=:id_t"));
        q.setParam(QStringLiteral("id_t"), id_tarczy);
        host::ExecQuery(q);
    }
    for (const rozladunek& r : punkty_) {
        host::StoredProc p(QStringLiteral("PZapPktSpec"));
        p.setParam(QStringLiteral("@id_t"), id_tarczy);
        p.setParam(QStringLiteral("@data"), r.data);
        p.setParam(QStringLiteral("@stan_licznika"), r.stan_licznika);
        p.setParam(QStringLiteral("@tonaz"),
                   r.ma_ladunek() ? QVariant(static_cast<double>(r.tonaz)) : QVariant());
        p.setParam(QStringLiteral("@kod_ladunku"),
                   r.ma_ladunek() ? QVariant(r.kod_ladunku) : QVariant());
        p.setParam(QStringLiteral("@typ"), r.typ);
        p.setParam(QStringLiteral("@id_adr"), r.ma_miejsce() ? QVariant(r.id_adr) : QVariant());
        p.setParam(QStringLiteral("@id"), nullptr);
        host::ExecProc(p);
    }
}

void lista_rozladunkow::wczytaj(int id_tarczy, double kat24) {
    host::Query q(QStringLiteral("select p.*, miasto from punkty_specjalne p left join miasto m "
                                 "on p.id_adr = m.id_m where id_t=:id_t order by p.id"));
    q.setParam(QStringLiteral("id_t"), id_tarczy);
    host::OpenQuery(q);
    std::vector<rozladunek> wczytane;
    for (; !q.Eof(); q.Next()) {
        rozladunek r;
        r.data = q.asDateTime(QStringLiteral("data"));
        r.kat = host::CzasNaKat(r.data, kat24);
        r.stan_licznika = q.asInteger(QStringLiteral("stan_licznika"));
        r.id_adr = q.asInteger(QStringLiteral("id_adr"));
        r.typ = q.asInteger(QStringLiteral("typ"));
        r.tonaz = static_cast<float>(q.asFloat(QStringLiteral("tonaz")));
        r.kod_ladunku = q.asString(QStringLiteral("kod_ladunku"));
        r.miasto = q.asString(QStringLiteral("miasto"));
        wczytane.push_back(std::move(r));
    }
    punkty_ = std::move(wczytane);
    wybrany = -1;
}
