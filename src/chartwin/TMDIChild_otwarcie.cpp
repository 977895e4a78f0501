// Opening a stored chart: its record and header, its picture, its stored periods and speed
// excess, then the window side of the reading.

#include "chartwin/ObrazTarczy.h"
#include "chartwin/RekordTarczy.h"
#include "chartwin/TMDIChild.h"

#include "host/Dialogi.h"
#include "host/Flota.h"
#include "host/HostContext.h"
#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/TDateTime.h"
#include "host/db/Query.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QPainter>

#include <cmath>

namespace {

QString R(const char* key) {
    return host::LoadResstrings(QLatin1String(key));
}

// Selects the item of id, adding it with the host's display name when the box lacks it.
void dodaj_i_wybierz(QComboBox* pole, std::int32_t id, QString (*nazwa)(int)) {
    if (id == 0) return;
    if (pole->findData(id) < 0) pole->addItem(nazwa(id), id);
}

void wybierz_id(QComboBox* pole, std::int32_t id) {
    pole->setCurrentIndex(id == 0 ? -1 : pole->findData(id));
}

bool brak_wyboru(const QComboBox* pole, std::int32_t id) {
    return id > 0 && (pole->currentIndex() < 0 || pole->currentData().toInt() != id);
}

} // namespace

void TMDIChild::otworz_tarcze(std::int32_t idt, host::Query* wiersz) {
    // A new chart (id 0) has nothing stored to open.
    if (idt <= 0) return;
    try {
        otworz_zapisana(idt, wiersz);
    } catch (const std::exception& e) {
        nie_otwarto(R("Resstrings_IDS_ChildBladOtwarcia")
                        .replace(QStringLiteral("%1"), QString::number(idt))
                        .replace(QStringLiteral("%2"), QString::fromUtf8(e.what())));
    }
}

void TMDIChild::nie_otwarto(const QString& komunikat) {
    ladowanie = 0;
    otwarcie_nieudane = true;
    host::InfoBox(komunikat, host::MB_OK, this);
    // Nothing the user could lose: close without the save question.
    zap1->setEnabled(false);
    zap_zam->setEnabled(false);
    Button6Click();
}

void TMDIChild::otworz_zapisana(std::int32_t idt, host::Query* wiersz_hosta) {
    const std::optional<RekordTarczy> rekord = RekordTarczy::wczytaj(idt);
    if (!rekord) {
        nie_otwarto(R("Resstrings_IDS_ChildBrakRekordu")
                        .replace(QStringLiteral("%1"), QString::number(idt)));
        return;
    }
    const WierszTarczy w = WierszTarczy::z_wiersza(wiersz_hosta);

    ladowanie = 1;
    if (QAbstractButton* b = rt_grupa->button(rekord->pv)) b->setChecked(true);
    typy->setCurrentIndex(w.rodzaj < typy->count() ? w.rodzaj : -1);
    typ_tarczy = typy->currentIndex();
    typyClick();
    szczeg->setChecked(rekord->czy_szczeg);
    ladowanie = 0;
    lista->czy_szczeg = rekord->czy_szczeg ? 1 : 0;

    // Centre, kind of day and size class.
    rodzaj_dnia = rodzaj_dnia_okna(w.typ_dnia);
    if (rekord->x0 != 0) {
        srodek_x = float(rekord->x0);
        srodek_y = float(rekord->y0);
    } else {
        srodek_x = srodek_y = float(promien_nom);
    }
    const KlasaRozmiaru klasa = KlasaRozmiaru::dla_srodka(srodek_x);
    klasa_rozmiaru = klasa.klasa;
    lista->klasa_rozmiaru = klasa.klasa;
    promien_nom = klasa.promien;
    srednica_nom = klasa.srednica;

    kat24 = rekord->kat24;
    lista->ustaw_kat_rozp(w.kat_rozp);
    lista->kat_zak = rekord->kat_zak;
    lista->ustaw_kat24(kat24);
    pocz_sr_godz = rekord->pocz_sr_godz;
    if (w.data.value > 0) data_tacho->setDate(w.data.date());
    data_tachoChange(nullptr);

    wybierz_naglowek(w);

    // The stored periods and points; a chart stored with periods keeps them.
    lista->wczytaj_z_bazy(idt);
    bez_analizy = lista->ile >= 0 ? 1 : 0;
    figury_otwarcia = figury_zdarzen(*lista);
    punkty_spec->wczytaj(idt, kat24);
    punkty_spec->kopiuj_do(*punkty_spec_cofnij);

    if (rodzaj_dnia == 1 && lista->liczba() == 2) rodzaj_dnia = lista->kat_rozp > 30.0 ? 3 : 2;
    if (host::get_analog_didital(true, true)) rodzaj_dnia = 1;
    wczytaj_obraz(w, klasa.pusty_obraz());

    // The views at the nominal size; the correction view and the analysis image share it.
    const host::Bitmap32& skan = Image1->Bitmap();
    host::Bitmap32 widok;
    if (skan.width() == srednica_nom && skan.height() == srednica_nom) {
        widok = skan; // shared until one of the views draws on it
    } else {
        widok = host::Bitmap32(srednica_nom, srednica_nom, host::clWhite32);
        if (!skan.empty()) {
            QPainter p(&widok.image());
            p.drawImage(QRect(0, 0, srednica_nom, srednica_nom), skan.image());
        }
    }
    Image4->Bitmap() = widok;
    Image1->Bitmap() = widok;
    Image2->Bitmap() = widok;
    for (ImgView32* v : {Image1, Image2, Image4})
        v->Changed();

    if (bez_analizy) {
        if (!Image1->Bitmap().empty())
            geometria_tarczy =
                zmierz_pierscien_tarczy(Image1->Bitmap(), kalibracja, wejscie_tarczy());
        ustaw_czytnik_km();
        pokaz_odczyt();
    } else
        analizuj_tarcze();

    if (rekord->czy_szczeg) {
        suma_km->setText(QString::number(w.km_obl));
        const double jazda = lista->czas_czynnosci(kJazda).value;
        st_v->setText(st_v->text().section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n') +
                      (jazda > 0
                           ? QString::number(std::int64_t(w.km_obl * (1.0 / 24) / jazda + 0.5))
                           : QStringLiteral("0")));
    }
    wczytaj_przekroczenia();

    czas_podany = 1;
    Image4->Odloz(lista->rysunek_punktow(srodek_x, srodek_y, czytnik_ust));
    Image4->Changed();
}

void TMDIChild::wybierz_naglowek(const WierszTarczy& w) {
    id_k_tarczy = w.id_k;
    id_konwojenta_tarczy = w.id_konwojenta;
    id_konwojenta2_tarczy = w.id_konwojenta2;
    id_s_tarczy = w.id_s;
    wypelnij_kierowcow(data_tacho->date());
    wypelnij_samochody();
    dodaj_i_wybierz(nr_rej, id_s_tarczy, &host::ZwrocSamochod);
    dodaj_i_wybierz(kierowca, id_k_tarczy, &host::ZwrocKierowce);
    dodaj_i_wybierz(konwojent, id_konwojenta_tarczy, &host::ZwrocKierowce);
    dodaj_i_wybierz(konwojent2, id_konwojenta2_tarczy, &host::ZwrocKierowce);
    ladowanie = 1;
    wybierz_id(kierowca, id_k_tarczy);
    kierowcaChange(nullptr);
    wybierz_id(konwojent, id_konwojenta_tarczy);
    wybierz_id(konwojent2, id_konwojenta2_tarczy);
    edytuj_kier->setEnabled(kierowca->currentIndex() >= 0);
    wybierz_id(nr_rej, id_s_tarczy);
    nr_rejSelect();
    ladowanie = 0;

    // One notice at most: the first case that holds.
    const bool bez_kier = brak_wyboru(kierowca, id_k_tarczy);
    const bool bez_sam = brak_wyboru(nr_rej, id_s_tarczy);
    const char* filtr = bez_kier && bez_sam ? "Resstrings_IDS_filtr_1"
                        : bez_sam           ? "Resstrings_IDS_sam_filtr"
                        : bez_kier          ? "Resstrings_IDS_kier_filtr"
                        : (id_konwojenta_tarczy > 0 && konwojent->currentIndex() <= 0) ||
                                (id_konwojenta2_tarczy > 0 && konwojent2->currentIndex() <= 0)
                            ? "Resstrings_IDS_konwojent_filtr"
                            : nullptr;
    if (filtr) host::InfoBox(R(filtr), host::MB_OK, this);

    ladowanie = 1;
    typy->setCurrentIndex(w.rodzaj < typy->count() ? w.rodzaj : -1);
    cb_status->setProperty("Tag", w.status);
    cb_statusClick(nullptr);
    czy_reczna = w.czy_reczna;
    ustaw_licznik(w.km_pocz, w.km_kon);
    zaloga->setChecked(w.zespol != 0);
    ps->setChecked(w.ps != 0);
    if (w.adnotacje != QLatin1String(" ")) adnotacje->setPlainText(w.adnotacje);
    const int status = status_tarczy->findData(w.status_tacho);
    status_tarczy->setCurrentIndex(status >= 0 ? status : (status_tarczy->count() > 0 ? 0 : -1));
    cb1->setChecked(w.nieczytelna);
    cb2->setChecked(w.blad_obsl_t);
    const std::array<bool, 8> niekompletne = pola_niekompletne(w.niekompletne);
    const std::array<QCheckBox*, 8> pola = {cb3_1, cb3_2, cb3_3, cb3_4, cb3_5, cb3_6, cb3_7, cb3_8};
    for (std::size_t i = 0; i < pola.size(); ++i)
        pola[i]->setChecked(niekompletne[i]);
    cb5->setChecked(w.przerysowana);
    cb6->setChecked(w.brak_wr);
    cb7->setChecked(w.kilka_wykr);
    cb8->setChecked(w.nieprawidlowa);
    cb9->setChecked(w.niezgodnosc_cz);
    miDodajBladWirtuPrzemiesz->setCheckable(true);
    miDodajBladWirtuPrzemiesz->setChecked(w.wirtualne_przem);
    policz_bledy();
    ladowanie = 0;
}

void TMDIChild::wczytaj_obraz(const WierszTarczy& w, const QString& pusty) {
    enum class Wynik { Znaleziony, Brak, Reczna, Wolne };
    const QString tekst_wolne = R("Resstrings_IDS_tarcza_dodana_opcja_dod_wolne")
                                    .replace(QStringLiteral("%1"), R("Resstrings_IDS_Dodaj_wuc"));
    Wynik wynik = Wynik::Znaleziony;
    sciezkaedit->setStyleSheet(QString());
    if (rodzaj_dnia == 0 && czy_reczna) {
        sciezkaedit->setText(R("Resstrings_IDS_tarcza_dodana_recznie"));
        wynik = Wynik::Reczna;
    } else if (rodzaj_dnia == 0) {
        const QString sciezka_ob =
            ustawienie(QStringLiteral("sciezka_ob"), QStringLiteral("KX"), QString()).toString();
        const QStringList sciezki =
            ObrazTarczy::sciezki(sciezka_ob, id_tarczy, id_k_tarczy, id_s_tarczy);
        const QString plik =
            ObrazTarczy::znajdz(sciezki, [](const QString& s) { return QFileInfo(s).isFile(); });
        QString blad;
        if (!plik.isEmpty() && Image1->Bitmap().LoadFromFile(plik, &blad) &&
            KlasaRozmiaru::dla_obrazu(Image1->Bitmap().width(), Image1->Bitmap().height())) {
            sciezkaedit->setText(plik);
        } else if (w.typ_dnia == 6 && plik.isEmpty()) {
            sciezkaedit->setText(tekst_wolne);
            wynik = Wynik::Wolne;
        } else {
            // Missing, unreadable, or of a size no class has: the blank picture stands in.
            Image1->Bitmap() = host::Bitmap32();
            sciezkaedit->setText(plik.isEmpty() ? sciezki.value(0) : plik);
            sciezkaedit->setStyleSheet(QStringLiteral("color: #ff0000"));
            wynik = Wynik::Brak;
        }
    } else if (rodzaj_dnia <= 3) {
        Image1->Bitmap() = ObrazTarczy::pusty(pusty);
        sciezkaedit->setText(tekst_wolne);
        if (Image1->Bitmap().empty()) wynik = Wynik::Brak;
    }

    if (wynik == Wynik::Brak && rodzaj_dnia != 0) {
        obraz_zastepczy = true;
        host::InfoBox(R("Resstrings_IDS_MainBrakPustego"), host::MB_OK, this);
        return;
    }
    if (wynik == Wynik::Brak &&
        ustawienie(QStringLiteral("cb_brak_skanu"), QStringLiteral("KX"), false).toBool() &&
        w.cyfrowy != 4) {
        // The notice offers to stop itself: "No" to showing it again clears the setting.
        const QString tekst =
            R("Resstrings_IDS_MainBrakPliku").replace(QStringLiteral("%1"), sciezkaedit->text()) +
            QStringLiteral("\n\n") + R("Resstrings_IDS_MainBrakPlikuPokazuj");
        if (host::InfoBox(tekst, host::MB_YESNO | host::MB_ICONINFORMATION, this) == host::IDNO)
            host::SetZm(QStringLiteral("cb_brak_skanu"), QStringLiteral("KX"), false);
    }
    obraz_zastepczy = wynik != Wynik::Znaleziony || rodzaj_dnia != 0;
    if (wynik == Wynik::Brak || wynik == Wynik::Reczna || wynik == Wynik::Wolne) {
        sciezkaedit->setVisible(false); // red when the scan is missing: the re-reading asks first
        Image1->Bitmap() = ObrazTarczy::pusty(pusty);
        if (Image1->Bitmap().empty())
            host::InfoBox(R("Resstrings_IDS_MainBrakPustego"), host::MB_OK, this);
    }
}

void TMDIChild::wczytaj_przekroczenia() {
    przekroczenia.clear();
    lb->clear();
    host::Query q(QStringLiteral("select * from pv\nwhere id_t = :id_t"));
    q.setParam(QStringLiteral("id_t"), id_tarczy);
    host::OpenQuery(q);
    const float r = float(pocz_sr_godz > 0 ? pocz_sr_godz : promien_nom * 0.6);
    for (; !q.Eof(); q.Next()) {
        analysis::PrzekroczeniePredkosci e;
        e.flaga = q.asInteger(QStringLiteral("widoczny"));
        e.kat_od = float(q.asFloat(QStringLiteral("kat_p")));
        e.kat_do = float(q.asFloat(QStringLiteral("kat_k")));
        // Box around the stretch of the speed band it covers, as the reading draws it.
        const auto punkt = [&](float kat) {
            const double a = kat * M_PI / 180.0;
            return QPointF(srodek_x + r * std::cos(a), srodek_y + r * std::sin(a));
        };
        const QPointF a = punkt(e.kat_od), b = punkt(e.kat_do);
        e.left = int(std::min(a.x(), b.x())) - 10;
        e.top = int(std::min(a.y(), b.y())) - 10;
        e.right = int(std::max(a.x(), b.x())) + 10;
        e.bottom = int(std::max(a.y(), b.y())) + 10;
        przekroczenia.push_back(e);
        if (e.flaga) {
            const auto godz = [&](float kat) {
                return host::CzasHHNN(host::KatNaGodz(host::Katdo360(kat), kat24));
            };
            lb->addItem(godz(e.kat_od) + QStringLiteral(" - ") + godz(e.kat_do));
        }
    }
}
