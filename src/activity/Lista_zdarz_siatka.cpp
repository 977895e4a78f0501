// Period list: the period grid.
#include "activity/Lista_zdarz.h"

#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/TDateTime.h"

namespace {

// The kind names, looked up once per grid: the translation lookup reads the language
// setting every time, and a chart has tens of periods.
struct NazwyRodzajow {
    QString dyzur = host::LoadResstrings(QStringLiteral("Resstrings_IDS_ListaPZdarzDy"));
    QString jazda = host::LoadResstrings(QStringLiteral("Resstrings_IDS_ListaPZdarzJa"));
    QString praca = host::LoadResstrings(QStringLiteral("Resstrings_IDS_ListaPZdarzPr"));
    QString postoj = host::LoadResstrings(QStringLiteral("Resstrings_IDS_ListaPZdarzPo"));
};

QString opis_rodzaju(const Zdarzenie& z, const NazwyRodzajow& nazwy) {
    QString t;
    switch (z.czy_praca) {
    case kDyzur:
        t = nazwy.dyzur;
        break;
    case kJazda:
        t = nazwy.jazda;
        break;
    case kPraca:
        t = nazwy.praca;
        break;
    case kPostoj:
        t = z.pz_zespol == kZnakBrakDanych ? QStringLiteral("?") : nazwy.postoj;
        break;
    case kBrakDanych:
        t = QStringLiteral("?");
        break;
    default:
        break;
    }
    if (z.podjazd == 1) t += QStringLiteral(" - P");
    if (z.out == 1) t += QStringLiteral(" - OUT");
    if (z.pz_zespol == kZnakReczny) t += QStringLiteral(" - WR");
    return t;
}

} // namespace

void Lista_zdarz::wypelnij_siatke(SiatkaZdarzen& siatka) {
    if (siatka.ColCount() < SiatkaZdarzen::kKolumny) siatka.SetColCount(SiatkaZdarzen::kKolumny);
    siatka.SetRowCount(liczba() + 1);
    for (int k = 0; k < siatka.ColCount(); ++k)
        siatka.SetCells(k, 0, QString());

    auto napis = [](const char* klucz) { return host::LoadResstrings(QLatin1String(klucz)); };
    siatka.SetCells(0, 0, napis("Resstrings_IDS_ListaPNaglowek1"));
    siatka.SetCells(1, 0, napis("Resstrings_IDS_ListaPNaglowek2"));
    siatka.SetCells(2, 0, napis("Resstrings_IDS_Do"));
    siatka.SetCells(3, 0, napis("Resstrings_IDS_Czas"));
    if (czy_szczeg) {
        siatka.SetCells(4, 0, napis("Resstrings_IDS_ListaPNaglowek6"));
    } else {
        siatka.SetCells(4, 0, napis("Resstrings_IDS_ListaPNaglowek5"));
        siatka.SetCells(5, 0, napis("Resstrings_IDS_ListaPNaglowek6"));
        siatka.SetCells(6, 0, napis("Resstrings_IDS_ListaPNaglowek7"));
    }

    const NazwyRodzajow nazwy;
    constexpr double kNajwiecej = 1439.0 / 1440.0; // 23:59
    for (Zdarzenie* z = pierwszy; z; z = z->nast) {
        const int w = z->nr + 1;
        for (int k = 0; k < siatka.ColCount(); ++k)
            siatka.SetCells(k, w, QString());
        const double od = host::Zaokragl_Xm(z->czas_od, 1, 0, 0.0);
        const double do_ = host::Zaokragl_Xm(z->czas_do, 1, 0, 0.0);
        // A period that ends where it starts is the whole day, as its angles say.
        double trwa = do_ - od;
        if (trwa <= 0.0) trwa += 1.0;
        if (trwa > kNajwiecej) trwa = kNajwiecej;
        double trwa_dokl = z->czas_do - z->czas_od;
        if (trwa_dokl < 0.0) trwa_dokl += 1.0;

        siatka.SetCells(0, w, QString::number(w));
        siatka.SetCells(1, w, host::CzasHHNN(od));
        siatka.SetCells(2, w, host::CzasHHNN(do_));
        siatka.SetCells(3, w, host::CzasHHNN(trwa));
        siatka.SetCells(8, w, host::CzasHHNN(trwa_dokl));

        const QString rodzaj = opis_rodzaju(*z, nazwy);
        if (czy_szczeg) {
            siatka.SetCells(4, w, rodzaj);
            continue;
        }
        int km = z->punkty->odleglosc();
        if (z->czy_praca == kJazda) {
            // Points never redetected and giving nothing: the stored distance stands.
            if (km == 0 && z->km != 0 && z->punkty->edytowana == 0)
                km = z->km;
            else
                z->km = km;
        }
        siatka.SetCells(4, w, QString::number(km));
        siatka.SetCells(5, w, rodzaj);
        if (z->czy_praca == kJazda) {
            double kat = host::Roznica_katow(z->kat_od, z->kat_do);
            if (kat <= 0.0) kat = 360.0;
            siatka.SetCells(6, w, QString::number(static_cast<int>(km * 15.0 / kat + 0.5)));
        }
    }
}
