// Opening a stored chart: what the opening reads without a window (the chart record, the
// host's row, the size class, the picture's place), and a stored chart opened through the real
// libChild.so in each state (with periods, without, picture missing or unreadable, no record,
// a database that refuses).

#include "ModuleFixture.h"
#include "RysunekTestowy.h"

#include "activity/OdczytTarczy.h"
#include "activity/lista_pkt.h"
#include "chartgen/GreyRender.h"
#include "chartgen/SampleCharts.h"
#include "chartwin/ObrazTarczy.h"
#include "chartwin/RekordTarczy.h"
#include "chartwin/TMDIChild.h"
#include "host/HostContext.h"
#include "host/Resstrings.h"
#include "host/Ustawienia.h"
#include "host/db/Query.h"
#include "skan/WczytajSkan.h"

#include <QFile>
#include <QStandardItemModel>
#include <QTableWidget>

#include <cmath>

namespace {

// The stored centre and 24-hour angle of a chart's analogue record.
void ustaw_srodek(int idt, double kat24, int x0, int y0) {
    wykonaj(QStringLiteral("update tacho_analog set kat24 = %1, x0 = %2, y0 = %3 where id_t = %4")
                .arg(kat24, 0, 'g', 17)
                .arg(x0)
                .arg(y0)
                .arg(idt));
}

// A scanned chart (not added by hand) with its analogue record.
int tarcza_skanowana(double kat24, int x0, int y0, int typ_dnia = 0) {
    const int idt = dodaj_tarcze(typ_dnia);
    wykonaj(QStringLiteral("update tacho set czy_reczna = 0 where id_t = %1").arg(idt));
    ustaw_srodek(idt, kat24, x0, y0);
    return idt;
}

// The charts drawn as the generator draws them; nothing (and a failure) when it cannot.
std::vector<host::Bitmap32> rysuj(const std::vector<chartgen::NamedChart>& wzory) {
    std::vector<host::Bitmap32> obrazy;
    for (const chartgen::NamedChart& c : wzory) {
        const auto rys = rysuj_tarcze(c.spec);
        if (!rys) return {};
        obrazy.push_back(rys->image);
    }
    return obrazy;
}

// The charts on an A4 page as the sheet scanner gives it, and the discs the import finds there.
struct Arkusz {
    QImage strona;
    std::vector<host::TarczaZeSkanu> tarcze;
};

Arkusz arkusz(const std::vector<chartgen::NamedChart>& wzory) {
    std::vector<QPointF> srodki;
    for (const chartgen::NamedChart& c : wzory)
        srodki.emplace_back(c.spec.centreX(), c.spec.centreY());
    QString blad;
    const auto strona =
        chartgen::renderA4Page(rysuj(wzory), srodki, chartgen::GreyOptions{}, &blad);
    EXPECT_TRUE(strona) << blad.toStdString();
    if (!strona) return {};
    return {strona->image, host::WczytajObraz(strona->image, 200, QStringLiteral("arkusz"))};
}

class OtwarcieTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(z_katalogiem_danych());
    }
    // The first sample chart drawn as its scan would be stored.
    std::optional<chartgen::NamedChart> zapisz_skan(int idt) {
        chartgen::NamedChart wzor = chartgen::sampleCharts().front();
        const std::vector<host::Bitmap32> rys = rysuj({wzor});
        QString blad;
        if (rys.empty() || !chartgen::saveMonoBmp(rys.front(), plik_obrazu(idt), &blad)) {
            ADD_FAILURE() << blad.toStdString();
            return std::nullopt;
        }
        return wzor;
    }
    // A scanned chart holding that picture, its centre and angle stored.
    std::optional<chartgen::NamedChart> tarcza_z_obrazem(int& idt) {
        idt = tarcza_skanowana(0.0, 0, 0);
        auto wzor = zapisz_skan(idt);
        if (wzor)
            ustaw_srodek(idt, wzor->spec.kat24, int(wzor->spec.centreX()),
                         int(wzor->spec.centreY()));
        return wzor;
    }
    // That picture read by the reading alone, with the window's calibration and reader.
    OdczytTarczy odczyt_samodzielny(int idt, const chartgen::NamedChart& wzor, const TMDIChild& w) {
        host::Bitmap32 skan;
        EXPECT_TRUE(skan.LoadFromFile(plik_obrazu(idt)));
        WejscieTarczy we;
        we.x0 = float(int(wzor.spec.centreX()));
        we.y0 = float(int(wzor.spec.centreY()));
        we.kat24 = float(wzor.spec.kat24);
        we.data = host::TDateTime::encode(2024, 3, 12);
        we.czytnik = w.czytnik_ust;
        return odczytaj_tarcze(skan, w.kalibracja, we);
    }
    // A window of a fresh library instance opened on a disc of a sheet, as the import does.
    TMDIChild* otworz_z_arkusza(const host::TarczaZeSkanu& t, host::Bitmap32& strona, int nr,
                                int selektor, float kat, double czas_od = -1.0) {
        const int r = t.ramka.width() / 2;
        const int cx = int(t.srodek.x() + 0.5), cy = int(t.srodek.y() + 0.5);
        const kx::KxRect prost{cx - r, cy - r, cx + r, cy + r};
        QLibrary* lib = gospodarz->zaladuj();
        gospodarz->fn<kx::Execute_fn>(lib, "_Execute")(nullptr, 0);
        QWidget* w = gospodarz->fn<kx::CreateChild_fn>(lib, "_CreateChild")(nullptr, true, true, 0);
        if (!w) return nullptr;
        gospodarz->okna.push_back(w);
        static_cast<TOknoKXMDIChild*>(w)->SetTag(reinterpret_cast<kx::HostTag>(lib));
        gospodarz->fn<kx::OtworzChild_fn>(lib, "_OtworzChild")(
            true, w, lib, 0, t.ramka.left(), t.ramka.top(), selektor, 0, kat, cx, cy, r, r, &strona,
            prost, prost, nr, 0, QStringLiteral("arkusz"), -1, -1, 0.0, 0, 0, czas_od, 0,
            QString());
        return okno(w);
    }
};

} // namespace

TEST(KlasaRozmiaru, ThresholdsOfTheStoredCentre) {
    struct Przypadek {
        float x0;
        int klasa, promien, srednica;
        const char* pusty;
    };
    for (const Przypadek& p :
         {Przypadek{400.0f, 1, 400, 800, "WOLNE_M"}, Przypadek{449.0f, 1, 400, 800, "WOLNE_M"},
          Przypadek{449.99f, 1, 400, 800, "WOLNE_M"}, Przypadek{450.0f, 0, 500, 1000, "WOLNE"},
          Przypadek{500.0f, 0, 500, 1000, "WOLNE"}, Przypadek{600.0f, 0, 500, 1000, "WOLNE"},
          Przypadek{601.0f, 2, 750, 1500, "WOLNE_D"}, Przypadek{750.0f, 2, 750, 1500, "WOLNE_D"}}) {
        const KlasaRozmiaru k = KlasaRozmiaru::dla_srodka(p.x0);
        EXPECT_EQ(k.klasa, p.klasa) << p.x0;
        EXPECT_EQ(k.promien, p.promien) << p.x0;
        EXPECT_EQ(k.srednica, p.srednica) << p.x0;
        EXPECT_EQ(k.pusty_obraz(), QLatin1String(p.pusty)) << p.x0;
        // The blank picture of each class has the class's size.
        EXPECT_EQ(ObrazTarczy::pusty(k.pusty_obraz()).width(), p.srednica);
    }
}

TEST(KlasaRozmiaru, PictureSizesOutsideEveryClass) {
    EXPECT_EQ(KlasaRozmiaru::dla_obrazu(1000, 1000)->klasa, 0);
    EXPECT_EQ(KlasaRozmiaru::dla_obrazu(800, 800)->klasa, 1);
    EXPECT_EQ(KlasaRozmiaru::dla_obrazu(1500, 1500)->klasa, 2);
    EXPECT_EQ(KlasaRozmiaru::dla_obrazu(1020, 990)->klasa, 0);
    EXPECT_FALSE(KlasaRozmiaru::dla_obrazu(1000, 800));
    EXPECT_FALSE(KlasaRozmiaru::dla_obrazu(300, 300));
    EXPECT_FALSE(KlasaRozmiaru::dla_obrazu(1200, 1200));
}

TEST(RekordTarczy, IncompleteBitsTickTheirBoxes) {
    using P = std::array<bool, 8>;
    EXPECT_EQ(pola_niekompletne(3), (P{true, false, false, false, false, false, false, false}));
    EXPECT_EQ(pola_niekompletne(256), (P{false, false, false, false, false, false, false, true}));
    EXPECT_EQ(pola_niekompletne(511), (P{true, true, true, true, true, true, true, true}));
    EXPECT_EQ(pola_niekompletne(1), P{});
    EXPECT_EQ(pola_niekompletne(130), (P{true, false, false, false, false, false, true, false}));
}

TEST(ObrazTarczy, BlankPicturesHoldNoInk) {
    const host::Bitmap32 b = ObrazTarczy::pusty(QStringLiteral("WOLNE"));
    ASSERT_EQ(b.width(), 1000);
    int czarne = 0;
    for (int y = 0; y < b.height(); y += 3)
        for (int x = 0; x < b.width(); x += 3)
            czarne += b.image().pixel(x, y) == 0xFF000000u;
    EXPECT_EQ(czarne, 0);
    EXPECT_TRUE(ObrazTarczy::pusty(QStringLiteral("INNY")).empty());
}

TEST_F(OtwarcieTest, PicturePathsInTheirOrderWithTheFirmFolders) {
    wykonaj(
        QStringLiteral("insert into firma (id_f, nazwa, katalog) values (3, 'F', '/firma\\\\')"));
    wykonaj(QStringLiteral("insert into kierowca (id_k, nazwisko, id_f) values (9, 'Nowak', 3)"));
    const QStringList s = ObrazTarczy::sciezki(QStringLiteral("/dane\\"), 12, 9, 4);
    ASSERT_EQ(s.size(), 5) << s.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(s[0], QStringLiteral("/dane/Image/12.bmp"));
    EXPECT_EQ(s[1], QStringLiteral("/dane/12.bmp"));
    EXPECT_TRUE(s[2].endsWith(QStringLiteral("/dane/Korvix/12.bmp")));
    EXPECT_EQ(s[3], QStringLiteral("/dane/archiwum/Image/12.bmp"));
    EXPECT_EQ(s[4], QStringLiteral("/firma/Image/12.bmp")); // vehicle 4 has no firm
    EXPECT_EQ(ObrazTarczy::znajdz(s, [&](const QString& p) { return p == s[3] || p == s[4]; }),
              s[3]);
    EXPECT_TRUE(ObrazTarczy::znajdz(s, [](const QString&) { return false; }).isEmpty());
}

TEST_F(OtwarcieTest, NullsOfTheRecordAndAShortHostRow) {
    const int idt = dodaj_tarcze();
    wykonaj(QStringLiteral("update tacho_analog set kat24 = 12.5, pv = 1, czy_szczeg = 1"));
    auto r = RekordTarczy::wczytaj(idt);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kat_zak, RekordTarczy::kBrakKataZak);
    EXPECT_FLOAT_EQ(r->kat24, 12.5f);
    EXPECT_EQ(r->pv, 1);
    EXPECT_TRUE(r->czy_szczeg);
    wykonaj(QStringLiteral("update tacho_analog set kat_zak = 200.25"));
    EXPECT_DOUBLE_EQ(RekordTarczy::wczytaj(idt)->kat_zak, 200.25);
    EXPECT_FALSE(RekordTarczy::wczytaj(idt + 1));

    wykonaj(QStringLiteral("update tacho set id_k = null, niekompletne = 256, adnotacje = 'x'"));
    host::Query q(QStringLiteral("select id_k, niekompletne, adnotacje from tacho"));
    q.open();
    const WierszTarczy w = WierszTarczy::z_wiersza(&q);
    EXPECT_EQ(w.id_k, 0);
    EXPECT_EQ(w.niekompletne, 256);
    EXPECT_EQ(w.adnotacje, QStringLiteral("x"));
    EXPECT_EQ(w.czy_reczna, 0); // not in the row
    EXPECT_EQ(WierszTarczy::z_wiersza(nullptr).typ_dnia, 0);
}

TEST_F(OtwarcieTest, StoredChartKeepsExactlyItsPeriodsAndPoints) {
    const int idt = tarcza_skanowana(90.0, 500, 500);
    // Periods that the picture does not show: a re-reading would replace them.
    dodaj_okres(idt, 0, 360, 0);
    const int jazda = dodaj_okres(idt, 360, 600, 2, 37);
    dodaj_okres(idt, 600, 1440, 0);
    wykonaj(QStringLiteral("insert into punkty_zdarz (id_tpz, kat, nr_paska, promien) values "
                           "(%1, 100, 1, 300), (%1, 110, 5, 300), (%1, 120, 2, 300)")
                .arg(jazda));
    wykonaj(QStringLiteral("update tacho_analog set x0 = 601, y0 = 750"));
    zapisz_skan(idt);
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(okresy(*w->lista), (std::vector<Okres>{{0, 360, 0}, {360, 600, 2}, {600, 0, 0}}));
    EXPECT_EQ(w->lista->ile_punktow(), 3);
    EXPECT_EQ(w->bez_analizy, 1);
    // x0 601 is the large class: the views take its size, the 1000-pixel scan scaled up.
    EXPECT_EQ(w->klasa_rozmiaru, 2);
    EXPECT_EQ(w->lista->klasa_rozmiaru, 2);
    EXPECT_EQ(w->Image1->Bitmap().width(), 1500);
    EXPECT_EQ(w->Image4->Bitmap().width(), 1500);
    EXPECT_EQ(w->sciezkaedit->text(), plik_obrazu(idt));
    EXPECT_EQ(w->zdarz_grid->model()->rowCount(), 3);
    EXPECT_TRUE(w->st_ja->text().endsWith(QStringLiteral("04:00")))
        << w->st_ja->text().toStdString();
    EXPECT_TRUE(dialogi->shown.isEmpty()) << dialogi->shown.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(w->isVisible() || !w->otwarcie_nieudane);
}

TEST_F(OtwarcieTest, NewScanReadsAsTheReadingAlone) {
    int idt = 0;
    const auto wzor = tarcza_z_obrazem(idt);
    ASSERT_TRUE(wzor);
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    const OdczytTarczy sam = odczyt_samodzielny(idt, *wzor, *w);
    ASSERT_GT(sam.lista->liczba(), 2);
    EXPECT_EQ(okresy(*w->lista), okresy(*sam.lista));
    EXPECT_EQ(w->bez_analizy, 0);
    // The grid, the summary and the ring show that reading.
    EXPECT_EQ(w->zdarz_grid->model()->rowCount(), sam.siatka.RowCount() - 1);
    EXPECT_TRUE(w->st_ja->text().endsWith(sam.podsumowanie.st_ja));
    EXPECT_EQ(w->Image3->isVisibleTo(w), sam.podsumowanie.Image3);
    EXPECT_EQ(w->wynik_kontroli, sam.kontrola.wynik);

    // A reading that leaves the first period a drive without points tries it again (the
    // chart then counts as changed); stored periods are shown as they are.
    Zdarzenie* pierwszy = w->lista->pierwszy;
    ASSERT_EQ(pierwszy->czy_praca, kPostoj);
    ASSERT_EQ(pierwszy->punkty->ile, 0);
    pierwszy->czy_praca = kJazda;
    for (const int bez_analizy : {1, 0}) {
        w->bez_analizy = bez_analizy;
        w->lista->zmiana = 0;
        w->pokaz_odczyt();
        EXPECT_EQ(w->lista->zmiana, 1 - bez_analizy);
    }
}

TEST_F(OtwarcieTest, MissingPictureGivesTheBlankDiscAndTheNotice) {
    for (const bool nieczytelny : {false, true}) {
        host::SetZm(QStringLiteral("cb_brak_skanu"), QStringLiteral("KX"), true);
        dialogi->shown.clear();
        const int idt = tarcza_skanowana(0.0, 449, 449);
        if (nieczytelny) {
            QFile f(plik_obrazu(idt));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("BM not really a bitmap");
        }
        // "No" to showing the notice again clears the setting.
        dialogi->pushAnswer(host::IDNO);
        TMDIChild* w = okno(gospodarz->otworz(idt));
        ASSERT_NE(w, nullptr);
        ASSERT_EQ(dialogi->shown.size(), 1);
        EXPECT_TRUE(dialogi->shown[0].contains(plik_obrazu(idt)))
            << dialogi->shown[0].toStdString();
        EXPECT_FALSE(host::GetZm(QStringLiteral("cb_brak_skanu"), QStringLiteral("KX")).toBool());
        EXPECT_EQ(w->Image1->Bitmap().width(), 800); // WOLNE_M of the small class
        EXPECT_TRUE(w->sciezkaedit->styleSheet().contains(QStringLiteral("#ff0000")));
        EXPECT_GE(w->lista->liczba(), 1); // the blank disc is read: one rest period
    }
}

TEST_F(OtwarcieTest, FreeDayWithoutScanShowsTheOptionText) {
    const int idt = tarcza_skanowana(0.0, 500, 500, 6);
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(dialogi->shown.isEmpty());
    EXPECT_EQ(w->rodzaj_dnia, 0);
    EXPECT_TRUE(w->sciezkaedit->text().contains(
        host::LoadResstrings(QStringLiteral("Resstrings_IDS_Dodaj_wuc"))));
    EXPECT_EQ(w->Image1->Bitmap().width(), 1000);
}

TEST_F(OtwarcieTest, HeaderFlagsAndAMissingDriverAdded) {
    const int idt = dodaj_tarcze();
    wykonaj(
        QStringLiteral("insert into kierowca (id_k, nazwisko, imie) values (5, 'Nowak', 'Jan')"));
    wykonaj(QStringLiteral("update tacho set id_k = 5, niekompletne = 3, nieczytelna = 1, "
                           "zespol = 1, adnotacje = ' ', wirtualne_przem = 1"));
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->kierowca->currentData().toInt(), 5);
    EXPECT_EQ(w->kierowca->currentText(), QStringLiteral("Nowak Jan"));
    EXPECT_TRUE(w->cb1->isChecked());
    EXPECT_TRUE(w->cb3_1->isChecked());
    EXPECT_FALSE(w->cb3_2->isChecked());
    EXPECT_TRUE(w->zaloga->isChecked());
    EXPECT_TRUE(w->miDodajBladWirtuPrzemiesz->isChecked());
    EXPECT_TRUE(w->adnotacje->toPlainText().isEmpty());
    // Added by hand: no scan looked for, the blank disc shown.
    EXPECT_EQ(w->Image1->Bitmap().width(), 1000);
    EXPECT_FALSE(w->sciezkaedit->isVisibleTo(w));

    // The error button counts the ticked boxes; loading them is not an edit, ticking one is.
    const int ticked = w->policz_bledy();
    EXPECT_GE(ticked, 2);
    EXPECT_EQ(w->BlueButton_bledy->text(),
              w->naglowek_bledow + QStringLiteral(" (%1)").arg(ticked));
    EXPECT_EQ(w->zmieniony, 0);
    w->cb5->click();
    EXPECT_TRUE(w->cb5->isChecked());
    EXPECT_EQ(w->BlueButton_bledy->text(),
              w->naglowek_bledow + QStringLiteral(" (%1)").arg(ticked + 1));
    EXPECT_EQ(w->zmieniony, 1);
    EXPECT_TRUE(w->zap1->isEnabled());
}

TEST_F(OtwarcieTest, StoredChartMeasuresTheRingTheReadingFinds) {
    int idt = 0;
    const auto wzor = tarcza_z_obrazem(idt);
    ASSERT_TRUE(wzor);
    // The picture's first drive, 06:00-08:15, stored between two rests.
    dodaj_okres(idt, 0, 360, 0);
    dodaj_okres(idt, 360, 495, 2, 176);
    dodaj_okres(idt, 495, 1440, 0);
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->bez_analizy, 1);
    EXPECT_EQ(w->lista->liczba(), 3); // kept as stored, not read again
    const OdczytTarczy sam = odczyt_samodzielny(idt, *wzor, *w);
    int zmierzone = 0;
    for (std::size_t i = 0; i < sam.geometria.promienie_km.size(); ++i) {
        EXPECT_FLOAT_EQ(w->geometria_tarczy.promienie_km[i].promien,
                        sam.geometria.promienie_km[i].promien)
            << i;
        zmierzone += sam.geometria.promienie_km[i].promien > 0 ? 1 : 0;
    }
    EXPECT_GT(zmierzone, 0);

    // Distance points are read on that ring: the stored drive gets the points the reading
    // found for it.
    const Zdarzenie* czytana = sam.lista->pierwszy;
    while (czytana && czytana->czy_praca != kJazda)
        czytana = czytana->nast;
    ASSERT_TRUE(czytana);
    ASSERT_GT(czytana->punkty->ile, 0);
    Zdarzenie* jazda = w->lista->pierwszy->nast;
    ASSERT_EQ(jazda->czy_praca, kJazda);
    w->lista->zaznaczony = jazda;
    w->Pokalistepunktw1Click();
    EXPECT_NEAR(jazda->punkty->ile, czytana->punkty->ile, 2);
}

TEST_F(OtwarcieTest, ChartWithoutRecordOrARefusedQueryClosesTheWindow) {
    const int bez_rekordu = dodaj_tarcze();
    wykonaj(QStringLiteral("delete from tacho_analog"));
    const int idt = dodaj_tarcze();
    struct Przypadek {
        int id;
        const char* sql; // what breaks the database before opening
    };
    for (const Przypadek& p :
         {Przypadek{bez_rekordu, nullptr}, Przypadek{idt, "drop table punkty_zdarz"}}) {
        if (p.sql) wykonaj(QLatin1String(p.sql));
        dialogi->shown.clear();
        gospodarz->komunikaty.clear();
        dialogi->pushAnswer(host::IDOK);
        QWidget* w = gospodarz->otworz(p.id);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(okno(w)->otwarcie_nieudane);
        ASSERT_EQ(dialogi->shown.size(), 1);
        EXPECT_TRUE(dialogi->shown[0].contains(QString::number(p.id)))
            << dialogi->shown[0].toStdString();
        EXPECT_FALSE(w->isVisible());
        // The window asked to be closed; the host deletes it.
        TestHost::dostarcz();
        EXPECT_TRUE(std::find(gospodarz->okna.begin(), gospodarz->okna.end(), w) ==
                    gospodarz->okna.end());
    }
}

TEST_F(OtwarcieTest, ClearingLeavesAnEmptyChartOnScreen) {
    const int idt = dodaj_tarcze();
    dodaj_okres(idt, 0, 300, 2, 20);
    dodaj_okres(idt, 300, 1440, 0);
    wykonaj(QStringLiteral("update tacho set nieczytelna = 1"));
    QWidget* w = gospodarz->otworz(idt);
    ASSERT_NE(w, nullptr);
    TMDIChild* o = okno(w);
    ASSERT_EQ(o->zdarz_grid->model()->rowCount(), 2);
    ASSERT_TRUE(o->cb1->isChecked());
    o->km_od->setText(QStringLiteral("1200"));
    auto* lib = gospodarz->instancje.at(o->GetTag()).get();
    gospodarz->fn<kx::ChildCzysc_fn>(lib, "_ChildCzysc")(w);
    EXPECT_EQ(o->zdarz_grid->model()->rowCount(), 0);
    EXPECT_EQ(o->lista->liczba(), 0);
    EXPECT_EQ(o->id_tarczy, 0);
    EXPECT_TRUE(o->CzyTarcza(0));
    EXPECT_TRUE(o->km_od->text().isEmpty());
    EXPECT_FALSE(o->cb1->isChecked());
    EXPECT_TRUE(o->st_ja->text().endsWith(QStringLiteral("00:00")));
    EXPECT_FALSE(o->zap1->isEnabled());
}

TEST_F(OtwarcieTest, SheetCutOutPutsEachCentreWhereTheImportFoundIt) {
    const Arkusz a = arkusz(chartgen::a4SheetCharts());
    ASSERT_EQ(a.tarcze.size(), 2u);
    const host::Bitmap32 arkusz(a.strona);
    const std::vector<host::TarczaZeSkanu>& tarcze = a.tarcze;

    struct Obrot {
        int selektor;
        float kat;
        bool pelny; // the two turns add up to a whole turn: the cut-out is the page as it is
    };
    for (const Obrot& o : {Obrot{0, 180.0f, true}, Obrot{1, 270.0f, true}, Obrot{0, 0.0f, false},
                           Obrot{1, 0.0f, false}})
        for (std::size_t nr = 0; nr < tarcze.size(); ++nr) {
            SCOPED_TRACE(testing::Message()
                         << "selector " << o.selektor << " angle " << o.kat << " disc " << nr);
            const host::TarczaZeSkanu& t = tarcze[nr];
            const int r = t.ramka.width() / 2;
            const int cx = int(t.srodek.x() + 0.5), cy = int(t.srodek.y() + 0.5);
            host::Bitmap32 kopia = arkusz;
            TMDIChild* ok = otworz_z_arkusza(t, kopia, int(nr), o.selektor, o.kat);
            ASSERT_NE(ok, nullptr);
            const host::Bitmap32& wyc = ok->Image1->Bitmap();
            ASSERT_EQ(wyc.width(), 2 * r);
            // The disc's centre lies at the middle of the cut-out: a pixel at (dx, dy) from the
            // page centre is found at (r + dx, r + dy), turned about the middle when the turns
            // do not cancel.
            // Compared at the page's ink only: paper matches paper wherever the box lies.
            int zgodne = 0, razem = 0;
            for (int dy = -r + 20; dy < r - 20; dy += 3)
                for (int dx = -r + 20; dx < r - 20; dx += 3) {
                    const int sx = o.pelny ? dx : (o.selektor == 0 ? -dx : dy);
                    const int sy = o.pelny ? dy : (o.selektor == 0 ? -dy : -dx);
                    if (qGray(arkusz.image().pixel(cx + sx, cy + sy)) > 80) continue;
                    // Half-pixel placement may differ by one.
                    bool ciemny = false;
                    for (int e = -1; e <= 1; ++e)
                        for (int f = -1; f <= 1; ++f)
                            ciemny |= qGray(wyc.image().pixel(r + dx + e, r + dy + f)) <= 120;
                    zgodne += ciemny;
                    ++razem;
                }
            ASSERT_GT(razem, 500);
            EXPECT_GE(zgodne * 100, razem * 95) << zgodne << " of " << razem;
            // The disc's number, in red, on the page at its centre.
            int czerwone = 0;
            for (int dy = -30; dy <= 30; ++dy)
                for (int dx = -30; dx <= 30; ++dx)
                    czerwone += kopia.image().pixel(cx + dx, cy + dy) == qRgb(255, 0, 0);
            EXPECT_GT(czerwone, 20);
        }
}

// A start time given with the disc: the reading starts at its angle and keeps it, and the
// ring's first period starts there.
TEST_F(OtwarcieTest, SheetDiscKeepsTheStartAngleThroughTheReading) {
    const Arkusz a = arkusz({chartgen::a4SheetCharts().front()});
    ASSERT_EQ(a.tarcze.size(), 1u);
    for (const double czas_od : {0.25, 0.6}) {
        SCOPED_TRACE(czas_od);
        host::Bitmap32 kopia(a.strona);
        TMDIChild* w = otworz_z_arkusza(a.tarcze.front(), kopia, 0, 0, 180.0f, czas_od);
        ASSERT_NE(w, nullptr);
        const Lista_zdarz& l = *w->lista;
        ASSERT_GE(l.ile, 0);
        const double oczekiwany = std::fmod(czas_od * 360.0 + 180.0, 360.0);
        EXPECT_NEAR(l.kat_rozp, oczekiwany, 0.01);
        EXPECT_NEAR(l.pierwszy->kat_od, oczekiwany, 0.01);
    }
}

TEST_F(OtwarcieTest, UnmeasuredCentreTakesTheDefaultSizeClass) {
    // tylko_automat 0, 1, 2 -> default radius 400, 500, 750 -> the classes small, normal, large.
    for (const auto& [ustawienie, szerokosc, klasa] :
         {std::tuple{0, 800, 1}, {1, 1000, 0}, {2, 1500, 2}}) {
        SCOPED_TRACE(ustawienie);
        host::SetZm(QStringLiteral("tylko_automat"), QStringLiteral("KX"), ustawienie);
        TMDIChild* w = okno(gospodarz->otworz(dodaj_tarcze()));
        ASSERT_NE(w, nullptr);
        EXPECT_NE(w->czytnik_ust, nullptr);
        EXPECT_EQ(w->Image1->Bitmap().width(), szerokosc);
        EXPECT_EQ(w->srednica_nom, szerokosc);
        EXPECT_EQ(w->promien_nom, szerokosc / 2);
        // The class survives the reading, which replaces the list.
        EXPECT_EQ(w->lista->klasa_rozmiaru, klasa);
    }
}

TEST_F(OtwarcieTest, SpeedExcessRowsAndTheCheckCaption) {
    const int idt = dodaj_tarcze();
    // Eleven hours of driving without a break: the check fails.
    dodaj_okres(idt, 0, 360, 0);
    dodaj_okres(idt, 360, 1020, 2, 700);
    dodaj_okres(idt, 1020, 1440, 0);
    wykonaj(QStringLiteral("insert into pv (id_t, kat_p, kat_k, widoczny) values "
                           "(%1, 100, 110, 1), (%1, 200, 205, 0)")
                .arg(idt));
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->przekroczenia.size(), 2u);
    EXPECT_EQ(w->przekroczenia[0].flaga, 1);
    EXPECT_LT(w->przekroczenia[0].left, w->przekroczenia[0].right);
    ASSERT_EQ(w->lb->count(), 1); // only the visible one is listed
    EXPECT_TRUE(w->lb->item(0)->text().contains(QStringLiteral(" - ")));
    EXPECT_EQ(w->wynik_kontroli, 1);
    EXPECT_TRUE(w->Image3->isVisibleTo(w));
    const QString podpis = w->PageControl->tabText(w->PageControl->indexOf(w->zak_kontroli));
    EXPECT_TRUE(podpis.endsWith(QStringLiteral(" !"))) << podpis.toStdString();
}

// The check grid's remarks: rows 0-3 are daily driving (AETR), breaks (AETR), daily driving
// (561) and breaks (561); only the rule set of the chart's date shows.
TEST_F(OtwarcieTest, CheckGridSaysWhatEachRuleFound) {
    const QString ok = host::LoadResstrings(QStringLiteral("Resstrings_IDS_ListaPOk"));
    const QString brak = host::LoadResstrings(QStringLiteral("Resstrings_IDS_ListaPBrakPrzerw"));
    struct Przypadek {
        const char* nazwa;
        int rok;
        std::vector<Okres> okresy;
        QString dzienny, przerwy; // what the remarks start with / contain
    };
    const std::vector<Przypadek> przypadki = {
        {"clean", 2024, {{0, 360, 0}, {360, 600, 2}, {600, 1440, 0}}, ok, ok},
        {"4h37 then 44 min",
         2024,
         {{0, 360, 0}, {360, 637, 2}, {637, 681, 0}, {681, 700, 1}, {700, 1440, 0}},
         ok,
         QStringLiteral("(+7 ")},
        {"4h37 before 561",
         2006,
         {{0, 360, 0}, {360, 637, 2}, {637, 1440, 0}},
         ok,
         QStringLiteral("(+7 ")},
        {"no break",
         2024,
         {{0, 360, 1}, {360, 1020, 2}, {1020, 1440, 1}},
         QStringLiteral("1h 00"),
         brak},
    };
    for (const Przypadek& p : przypadki) {
        const int idt = dodaj_tarcze();
        host::Query d(QStringLiteral("update tacho set data = :d where id_t = :id"));
        d.setParam(QStringLiteral("d"), host::TDateTime::encode(p.rok, 3, 12));
        d.setParam(QStringLiteral("id"), idt);
        d.exec();
        for (const Okres& o : p.okresy)
            dodaj_okres(idt, o.od, o.do_, o.kod, o.kod == 2 ? 100 : 0);
        SCOPED_TRACE(p.nazwa);
        TMDIChild* w = okno(gospodarz->otworz(idt));
        ASSERT_NE(w, nullptr);
        QTableWidget* g = w->kontrol_grid;
        const bool od_561 = p.rok >= 2008;
        const int dzienny = od_561 ? 2 : 0, przerwy = od_561 ? 3 : 1;
        ASSERT_NE(g->item(dzienny, 1), nullptr);
        ASSERT_NE(g->item(przerwy, 1), nullptr);
        const QString u_dz = g->item(dzienny, 1)->text(), u_pr = g->item(przerwy, 1)->text();
        EXPECT_TRUE(u_dz.contains(p.dzienny)) << u_dz.toStdString();
        EXPECT_TRUE(u_pr.contains(p.przerwy)) << u_pr.toStdString();
        EXPECT_EQ(u_pr == ok, p.przerwy == ok) << u_pr.toStdString();
        // The AETR daily row shows on every chart and agrees with the 561 one.
        EXPECT_FALSE(g->isRowHidden(0));
        EXPECT_EQ(g->item(0, 1)->text(), u_dz);
        EXPECT_EQ(g->isRowHidden(1), od_561);
        EXPECT_EQ(g->isRowHidden(2), !od_561);
        EXPECT_EQ(g->isRowHidden(3), !od_561);
        w->close();
    }
}
