// Saving from the chart window through the real libChild.so: the header read from the
// controls, the special points entered in their dialog, a save reopened in a new window, a
// fault at every statement of a save, save-and-close and delete-and-close.

#include "DbFixture.h"
#include "ModuleFixture.h"

#include "chartwin/TMDIChild.h"
#include "chartwin/Trozladunek_form.h"
#include "host/HostContext.h"
#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"
#include "host/db/Query.h"

#include <QDialog>
#include <QLabel>

namespace {

const QString kZnaki = QStringLiteral("O'Brien \"Ząb\"; --");

// Rows a chart holds, table by table: the fault tests compare them before and after.
std::vector<int> wiersze(int idt) {
    std::vector<int> w;
    for (const char* t : {"tacho", "poz_zdarz", "punkty_specjalne", "pv", "poz_zdarz_org"})
        w.push_back(liczba(
            QStringLiteral("select count(*) as n from %1 where id_t = :id_t").arg(QLatin1String(t)),
            idt));
    w.push_back(liczba(QStringLiteral("select count(*) as n from tacho"), 0));
    return w;
}

struct Punkt {
    int typ, km;
    QString kod, miasto, data;
    bool operator==(const Punkt&) const = default;
};

std::vector<Punkt> punkty(const TMDIChild& w) {
    std::vector<Punkt> p;
    for (const rozladunek& r : *w.punkty_spec)
        p.push_back({r.typ, r.stan_licznika, r.kod_ladunku, r.miasto,
                     r.data.date().toString(Qt::ISODate) + QLatin1Char(' ') +
                         QString::number(std::lround(r.data.timeOfDay() * 1440.0))});
    return p;
}

// The dialog's filler: the time, odometer, cargo and city as a user enters them.
std::function<bool(QDialog&)> wpisz(const QString& godz, int km, const QString& kod = {},
                                    int id_miasta = 0, QString* podpis = nullptr,
                                    bool* panel = nullptr) {
    return [=](QDialog& d) {
        auto& f = static_cast<Trozladunek_form&>(d);
        if (podpis) *podpis = f.windowTitle();
        if (panel) *panel = !f.Panel1->isHidden();
        f.godz->setText(godz);
        f.licznik->setValue(km);
        f.kod->setText(kod);
        f.rozl->setValue(12.5);
        f.miasto->setCurrentIndex(f.miasto->findData(id_miasta));
        return true;
    };
}

// On SQLite and, when the test server answers, on PostgreSQL in a schema of its own.
class ZapisOknaTest : public ModuleTest, public ::testing::WithParamInterface<host::Backend> {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        if (GetParam() == host::Backend::PostgreSQL) {
            QString why;
            const auto p = tacho_test::pgFreshParams(&why);
            if (!p) {
                if (qEnvironmentVariable("CI") == QLatin1String("true"))
                    FAIL() << why.toStdString();
                GTEST_SKIP() << why.toStdString();
            }
            pg_ = std::make_shared<host::Connection>(*p);
            schemat_ = p->schema;
            host::InstallConnection(pg_);
        }
        ASSERT_NO_FATAL_FAILURE(z_katalogiem_danych());
        host::SetZm(QStringLiteral("sciezka_ob"), QStringLiteral("KX"), dane->path());
        wykonaj(QStringLiteral("insert into kierowca (id_k, nazwisko) values (7, 'Kowalski')"));
        wykonaj(QStringLiteral("insert into samochod (id_s, nr_rej) values (3, 'WX 1234')"));
        wykonaj(QStringLiteral("insert into miasto (id_m, miasto, kod_pocz, widoczne) values "
                               "(5, 'L''viv; \"x\"', '79-000', 1)"));
    }

    // A stored chart of driver 7 in vehicle 3 from odometer 1000 starting at 08:00 (kat24 0: a
    // degree is four minutes), with three periods: driving 08:00-10:00 (30 km), rest to 11:00,
    // work to 15:00 (50 km).
    int tarcza() {
        const int idt = dodaj_tarcze();
        wykonaj(QStringLiteral("update tacho set id_k = 7, id_s = 3, km_pocz = 1000, kat_rozp = "
                               "120 where id_t = %1")
                    .arg(idt));
        for (const auto& [od, do_, kod, km] :
             {std::tuple{480, 600, 2, 30}, {600, 660, 0, 0}, {660, 900, 1, 50}})
            dodaj_okres(idt, od, do_, kod, km);
        return idt;
    }

    // Edits every kind of thing the save stores: a loading and a border crossing entered in
    // their dialog, annotations with quotes and semicolons, a defect mark, the odometer.
    void edytuj(TMDIChild* w) {
        dialogi->pushForm(wpisz(QStringLiteral("03:00"), 1200, kZnaki, 5));
        w->punkt_menu = QPointF(w->lista->x0 + 100, w->lista->y0);
        w->Wstawzaadunek1Click();
        dialogi->pushForm(wpisz(QStringLiteral("09:30"), 1100));
        w->Wstawprzejciegraniczne1Click();
        w->adnotacje->setPlainText(kZnaki);
        w->cb5->setChecked(true);
        w->cb3_8->setChecked(true);
        w->km_do->setText(QStringLiteral("1350"));
        w->oznacz_zmiane();
    }

    std::string pokazane() const { return dialogi->shown.join(QLatin1Char('|')).toStdString(); }

    void TearDown() override {
        ModuleTest::TearDown();
        if (pg_) tacho_test::dropPgSchema(*pg_, schemat_);
    }

    std::shared_ptr<host::Connection> pg_;
    QString schemat_;
};

} // namespace

TEST_P(ZapisOknaTest, SavedChartReopensWithItsPeriodsPointsAndHeader) {
    const int idt = tarcza();
    // Speed-trace ranges stored with the chart come back from a save unchanged.
    wykonaj(QStringLiteral("insert into pv (id_t, kat_p, kat_k, widoczny) values (%1, 10.5, "
                           "20.25, 1), (%1, 100, 110, 0)")
                .arg(idt));
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    const std::vector<Okres> przed = okresy(*w->lista);
    ASSERT_EQ(przed.size(), 3u);
    edytuj(w);
    ASSERT_EQ(w->punkty_spec->ile(), 2);
    ASSERT_TRUE(w->zap1->isEnabled());

    w->zap1->click();
    EXPECT_FALSE(w->zap1->isEnabled()) << pokazane();
    EXPECT_FALSE(w->zap_zam->isEnabled());
    EXPECT_FALSE(w->CzyZmieniony());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("2024-03-12 Kowalski (%1)").arg(idt));
    // The host heard of the save: 136, then 135.
    std::vector<unsigned> n = gospodarz->numery();
    const auto z = std::find(n.begin(), n.end(), kx::kMsgZapisano);
    ASSERT_NE(z, n.end());
    EXPECT_NE(std::find(z, n.end(), kx::kMsgPoZapisie), n.end());

    TMDIChild* w2 = okno(gospodarz->otworz(idt));
    ASSERT_NE(w2, nullptr);
    EXPECT_EQ(okresy(*w2->lista), przed);
    // 03:00 lies before the 08:00 start: the loading falls on the next day.
    EXPECT_EQ(punkty(*w2),
              (std::vector<Punkt>{
                  {kZaladunek, 1200, kZnaki, QStringLiteral("L'viv; \"x\""),
                   QStringLiteral("2024-03-13 180")},
                  {kPrzejscieGraniczne, 1100, {}, {}, QStringLiteral("2024-03-12 570")}}));
    EXPECT_EQ(w2->adnotacje->toPlainText(), kZnaki);
    EXPECT_TRUE(w2->cb5->isChecked());
    EXPECT_TRUE(w2->cb3_8->isChecked());
    EXPECT_EQ(w2->km_od->text(), QStringLiteral("1000"));
    EXPECT_EQ(w2->km_do->text(), QStringLiteral("1350"));
    EXPECT_EQ(w2->kierowca->currentData().toInt(), 7);
    EXPECT_EQ(liczba(QStringLiteral("select count(*) as n from pv where id_t = :id_t and ((kat_p "
                                    "= 10.5 and kat_k = 20.25 and widoczny = 1) or (kat_p = 100 "
                                    "and kat_k = 110 and widoczny = 0))"),
                     idt),
              2);
    EXPECT_EQ(w2->nr_rej->currentData().toInt(), 3);
}

TEST_P(ZapisOknaTest, AFaultAtAnyStatementKeepsTheEditsAndTheNextSaveWorks) {
    const int idt = tarcza();
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    edytuj(w);
    const std::vector<int> przed = wiersze(idt);
    const std::vector<Punkt> punkty_przed = punkty(*w);
    host::Connection& c = host::GetConnection();
    int nieudane = 0;
    for (int k = 1; k < 300 && w->zap1->isEnabled(); ++k) {
        dialogi->shown.clear();
        c.failStatement(k);
        w->zap1->click();
        c.stopCounting();
        if (!w->zap1->isEnabled()) break;
        ++nieudane;
        SCOPED_TRACE(k);
        EXPECT_EQ(wiersze(idt), przed);
        EXPECT_EQ(punkty(*w), punkty_przed);
        EXPECT_EQ(w->adnotacje->toPlainText(), kZnaki);
        EXPECT_TRUE(w->zap_zam->isEnabled());
        EXPECT_TRUE(w->CzyZmieniony());
        EXPECT_TRUE(dialogi->shown.contains(
            host::LoadResstrings(QStringLiteral("Resstrings_IDS_Nie_zap_tacho"))))
            << pokazane();
    }
    // Every statement up to the commit was tried, then the save went through.
    EXPECT_GT(nieudane, 10);
    ASSERT_FALSE(w->zap1->isEnabled());
    EXPECT_EQ(
        liczba(QStringLiteral("select count(*) as n from punkty_specjalne where id_t = :id_t"),
               idt),
        2);
    EXPECT_EQ(liczba(QStringLiteral("select count(*) as n from tacho where id_t = :id_t and "
                                    "adnotacje = 'O''Brien \"Ząb\"; --'"),
                     idt),
              1);
}

// Save-and-close on a chart another user deleted meanwhile keeps the window and its edits and
// writes nothing in its place; after a save it closes.
TEST_P(ZapisOknaTest, SaveAndCloseClosesOnlyAfterASave) {
    const int idt = tarcza();
    QWidget* w = gospodarz->otworz(idt);
    ASSERT_NE(w, nullptr);
    edytuj(okno(w));
    wykonaj(QStringLiteral("delete from tacho where id_t = %1").arg(idt));
    kontrolka<QPushButton>(w, "zap_zam")->click();
    TestHost::dostarcz();
    ASSERT_EQ(gospodarz->okna.size(), 1u);
    EXPECT_TRUE(okno(w)->zap1->isEnabled());
    EXPECT_EQ(okno(w)->punkty_spec->ile(), 2);
    EXPECT_TRUE(dialogi->shown.contains(
        host::LoadResstrings(QStringLiteral("Resstrings_IDS_Rekord_usuniety"))))
        << pokazane();
    EXPECT_EQ(liczba(QStringLiteral("select count(*) as n from tacho")), 0);

    QWidget* z = gospodarz->otworz(tarcza());
    ASSERT_NE(z, nullptr);
    edytuj(okno(z));
    kontrolka<QPushButton>(z, "zap_zam")->click();
    TestHost::dostarcz();
    EXPECT_EQ(gospodarz->okna, std::vector<QWidget*>{w}) << pokazane();
}

// Another chart of the same driver working at the same hours: refusing to save beside it and
// asking for it opens it in a window of its own; this one writes nothing and keeps its edits.
TEST_P(ZapisOknaTest, RefusedSaveOpensTheOverlappingChartsListed) {
    host::SetZm(QStringLiteral("nachodzenie_poz"), QStringLiteral("KX"), true);
    const int inna = tarcza();
    const int idt = tarcza();
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    edytuj(w);
    const std::vector<int> przed = wiersze(idt);
    dialogi->shown.clear();
    dialogi->pushAnswer(host::IDNO);  // do not save beside it
    dialogi->pushAnswer(host::IDYES); // open the charts listed
    w->zap1->click();
    TestHost::dostarcz();

    ASSERT_EQ(dialogi->shown.size(), 2) << pokazane();
    ASSERT_EQ(gospodarz->okna.size(), 2u);
    EXPECT_TRUE(static_cast<TOknoKXMDIChild*>(gospodarz->okna.back())->CzyTarcza(inna));
    EXPECT_EQ(wiersze(idt), przed);
    EXPECT_TRUE(w->zap1->isEnabled());
    EXPECT_TRUE(w->CzyZmieniony());
    EXPECT_EQ(w->punkty_spec->ile(), 2);

    // Asked again, the user saves beside it: nothing more opens.
    dialogi->shown.clear();
    dialogi->pushAnswer(host::IDYES);
    w->zap1->click();
    TestHost::dostarcz();
    EXPECT_FALSE(w->zap1->isEnabled()) << pokazane();
    EXPECT_EQ(gospodarz->okna.size(), 2u);
}

TEST_P(ZapisOknaTest, DeleteAndCloseRemovesEveryRowOrStaysOpen) {
    const int idt = tarcza();
    const int inna = tarcza();
    wykonaj(QStringLiteral("update tacho set id_k = null where id_t = %1").arg(inna));
    QWidget* w = gospodarz->otworz(idt);
    ASSERT_NE(w, nullptr);
    edytuj(okno(w));
    okno(w)->zap1->click();
    ASSERT_FALSE(okno(w)->zap1->isEnabled());
    ASSERT_EQ(
        liczba(QStringLiteral("select count(*) as n from punkty_specjalne where id_t = :id_t"),
               idt),
        2);

    // The database refuses the last delete: nothing is deleted and the window stays.
    const std::vector<int> przed = wiersze(idt);
    host::GetConnection().failStatement(11);
    kontrolka<QPushButton>(w, "bUsunZamknij")->click();
    host::GetConnection().stopCounting();
    TestHost::dostarcz();
    EXPECT_EQ(gospodarz->okna.size(), 1u);
    EXPECT_EQ(wiersze(idt), przed);

    // A picture left by the chart goes with it.
    const QString obraz = plik_obrazu(idt);
    QFile f(obraz);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    kontrolka<QPushButton>(w, "bUsunZamknij")->click();
    TestHost::dostarcz();
    EXPECT_TRUE(gospodarz->okna.empty());
    EXPECT_FALSE(QFile::exists(obraz));
    const std::vector<int> po = wiersze(idt);
    EXPECT_EQ(std::vector<int>(po.begin(), po.end() - 1), std::vector<int>(po.size() - 1, 0));
    EXPECT_EQ(po.back(), przed.back() - 1);
    // The other chart keeps its rows.
    EXPECT_EQ(wiersze(inna)[1], 3);
}

TEST_P(ZapisOknaTest, PointDialogDatesCaptionsAndInvalidTime) {
    const int idt = tarcza();
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    struct Przypadek {
        int typ;
        QString godz;
        const char* podpis;
        bool panel;
        int dodane;    // points added
        QString dzien; // date of the added point
    };
    const Przypadek przypadki[] = {
        {kZaladunek, QStringLiteral("03:00"), "Załadunek", true, 1, QStringLiteral("2024-03-13")},
        {kRozladunek, QStringLiteral("09:00"), "Rozładunek", true, 1, QStringLiteral("2024-03-12")},
        {kPrzejscieGraniczne, QStringLiteral("08:00"), "Przejście graniczne", false, 1,
         QStringLiteral("2024-03-12")},
        // An unreadable time disables OK: nothing is added even when the form is accepted.
        {kZaladunek, QStringLiteral("99:99"), "Załadunek", true, 0, {}},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.podpis);
        QString podpis;
        bool panel = false;
        const int ile = w->punkty_spec->ile();
        dialogi->pushForm(wpisz(p.godz, 1500, QStringLiteral("K1"), 5, &podpis, &panel));
        w->wstaw_punkt_specjalny(p.typ);
        EXPECT_EQ(podpis, QString::fromUtf8(p.podpis));
        EXPECT_EQ(panel, p.panel);
        ASSERT_EQ(w->punkty_spec->ile(), ile + p.dodane);
        if (p.dodane) {
            EXPECT_EQ((*w->punkty_spec)[ile].data.date().toString(Qt::ISODate), p.dzien);
        }
    }
    EXPECT_TRUE(w->zap1->isEnabled());

    // A marker is found at its angle and deleted through the menu command; deleting with
    // nothing selected changes nothing.
    w->punkty_spec->wybrany = -1;
    w->Usuzaadunek1Click();
    EXPECT_EQ(w->punkty_spec->ile(), 3);
    const double kat = (*w->punkty_spec)[1].kat;
    EXPECT_EQ(w->punkty_spec->wybierz(kat - 1.0, kat + 1.0), 1);
    w->Usuzaadunek1Click();
    EXPECT_EQ(w->punkty_spec->ile(), 2);
    EXPECT_EQ(w->punkty_spec->wybrany, -1);

    // Editing keeps the type and takes the new values.
    w->punkty_spec->wybrany = 0;
    dialogi->pushForm(wpisz(QStringLiteral("10:15"), 1777, QStringLiteral("K2")));
    EXPECT_TRUE(w->edytuj_punkt_specjalny());
    EXPECT_EQ((*w->punkty_spec)[0].stan_licznika, 1777);
    EXPECT_EQ((*w->punkty_spec)[0].typ, kZaladunek);
    EXPECT_EQ((*w->punkty_spec)[0].kod_ladunku, QStringLiteral("K2"));
    EXPECT_TRUE(dialogi->unexpected.isEmpty())
        << dialogi->unexpected.join(QLatin1Char('|')).toStdString();
}

TEST_P(ZapisOknaTest, AMissingScanIsNotReplacedByTheBlankDisc) {
    const int idt = tarcza();
    wykonaj(QStringLiteral("update tacho set czy_reczna = 0 where id_t = %1").arg(idt));
    dialogi->pushAnswer(host::IDOK); // the notice of the missing scan, when shown
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    ASSERT_FALSE(w->Image1->Bitmap().empty()); // the blank disc stands in
    edytuj(w);
    w->zap1->click();
    ASSERT_FALSE(w->zap1->isEnabled()) << pokazane();
    EXPECT_FALSE(QFile::exists(plik_obrazu(idt)));
}

TEST_P(ZapisOknaTest, AClosedChartTurnsReadOnlyForAUserWhoMayNotEditClosedCharts) {
    for (const bool wolno : {false, true}) {
        SCOPED_TRACE(wolno);
        host::SetZm(QStringLiteral("edycja_zamknietych_tacho"), QStringLiteral("ALL"), wolno);
        const int idt = tarcza();
        TMDIChild* w = okno(gospodarz->otworz(idt));
        ASSERT_NE(w, nullptr);
        edytuj(w);
        w->cb_status->click(); // closes the chart
        ASSERT_EQ(w->cb_status->property("Tag").toInt(), 1);
        w->zap1->click();
        ASSERT_FALSE(w->zap1->isEnabled()) << pokazane();
        EXPECT_EQ(w->adnotacje->isReadOnly(), !wolno);
        // The next chart of the loop must not overlap this one.
        wykonaj(QStringLiteral("delete from tacho where id_t = %1").arg(idt));
    }
}

TEST_P(ZapisOknaTest, ProposedOdometerCountsTheDistanceBeforeThePoint) {
    const int idt = tarcza();
    TMDIChild* w = okno(gospodarz->otworz(idt));
    ASSERT_NE(w, nullptr);
    const double dzien = host::TDateTime::encode(2024, 3, 12);
    struct Przypadek {
        int minuta; // time of the point
        bool zaloga;
        int km;
    };
    // The partner chart of a crew: same vehicle, day and start reading.
    const int partner = tarcza();
    wykonaj(QStringLiteral("update tacho set id_k = null where id_t = %1").arg(partner));
    for (const Przypadek& p : {Przypadek{540, false, 1000}, // within the drive: not counted yet
                               Przypadek{630, false, 1030}, Przypadek{960, false, 1080},
                               Przypadek{630, true, 1060}, Przypadek{960, true, 1160}}) {
        SCOPED_TRACE(p.minuta);
        w->zaloga->setChecked(p.zaloga);
        EXPECT_EQ(w->proponowany_licznik(p.minuta * 0.25, dzien), std::optional<int>(p.km));
    }
    w->km_od->clear();
    EXPECT_EQ(w->proponowany_licznik(240.0, dzien), std::nullopt);
}

TEST_P(ZapisOknaTest, MarkersAreDrawnAtTheirAngle) {
    TMDIChild* w = okno(gospodarz->otworz(tarcza()));
    ASSERT_NE(w, nullptr);
    host::Bitmap32& b = w->Image2->Bitmap();
    ASSERT_FALSE(b.empty());
    const host::Bitmap32 przed = b;
    rozladunek r;
    r.typ = kRozladunek;
    r.kat = 0.0; // to the right of the centre
    w->punkty_spec->dodaj(r);
    w->rysuj_tarcze();
    // The marker sits at the right edge, moved in so that it stays on the bitmap.
    const int cy = b.height() * int(w->srodek_y) / 1000;
    int zmienione = 0;
    for (int x = b.width() - w->rozlad.width(); x < b.width(); ++x)
        for (int y = cy; y < cy + w->rozlad.height(); ++y)
            zmienione += b.GetPixelS(x, y) != przed.GetPixelS(x, y);
    EXPECT_GT(zmienione, 10);

    // Over the marker's line near the rim the point is selected and its hint shown; near the
    // centre nothing is.
    r.typ = kZaladunek;
    r.kat = 90.0;
    r.miasto = QStringLiteral("Poznań");
    r.stan_licznika = 1234;
    r.tonaz = 12.5f;
    r.kod_ladunku = QStringLiteral("K1");
    w->punkty_spec->dodaj(r);
    const double promien = b.width() / 2.0 * 0.9;
    EXPECT_EQ(w->punkt_pod_kursorem(QPointF(w->lista->x0, w->lista->y0 + promien)), 1);
    ASSERT_NE(w->okno_podpowiedzi, nullptr);
    EXPECT_TRUE(w->okno_podpowiedzi->isVisible());
    EXPECT_TRUE(w->okno_podpowiedzi->text().contains(QStringLiteral("Poznań")));
    EXPECT_TRUE(w->okno_podpowiedzi->text().contains(QStringLiteral("1234 km")));
    EXPECT_TRUE(w->okno_podpowiedzi->text().contains(QStringLiteral("12,5 t K1"))) // Polish
        << w->okno_podpowiedzi->text().toStdString();
    EXPECT_EQ(w->punkt_pod_kursorem(QPointF(w->lista->x0, w->lista->y0 + 10)), -1);
    EXPECT_EQ(w->punkty_spec->wybrany, -1);
    EXPECT_FALSE(w->okno_podpowiedzi->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Bazy, ZapisOknaTest,
                         ::testing::Values(host::Backend::SQLite, host::Backend::PostgreSQL),
                         tacho_test::backendName);
