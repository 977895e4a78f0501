// Saving a chart on SQLite and on PostgreSQL: the rounding and boundary rules of the periods,
// save then load, and a fault at every kind of write leaving the database and the folder as
// they were.
#include "DbFixture.h"
#include "PomocListy.h"

#include "activity/SasiedniaTarcza.h"
#include "activity/ZapisTarczy.h"
#include "host/Dialogi.h"
#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/Ustawienia.h"
#include "host/db/StoredProc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <cmath>
#include <csignal>
#include <functional>

#include <sys/resource.h>

using namespace tacho_test;

namespace {

const host::TDateTime kDzien = host::TDateTime::encode(2024, 3, 5);
const QString kZnaki = QStringLiteral("O'Brien \"Ząb\"; drop table tacho; --");

class Zapis : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        host::InstallSettings(std::make_shared<host::Ustawienia>(QString()));
        dialogi_ = std::make_shared<host::ScriptedDialogs>();
        host::InstallDialogs(dialogi_);
        ASSERT_TRUE(katalog_.isValid());
        exec(QStringLiteral("insert into miasto (miasto, kod_pocz, id_panstwa, widoczne) values "
                            "('L''viv; \"x\"', '79-000', 1, 1)"));
        id_miasta_ = count(QStringLiteral("select max(id_m) as n from miasto"));
    }
    void TearDown() override {
        host::InstallDialogs(nullptr);
        host::InstallSettings(nullptr);
        DbTest::TearDown();
    }

    // kat24 0: one degree is four minutes; the recording starts at 06:00.
    static void przygotuj(Lista_zdarz& l, const std::vector<Okres>& okresy) {
        l.ustaw_kat24(0.0);
        l.ustaw_kat_rozp(90.0);
        wypelnij(l, okresy);
    }

    NaglowekTarczy naglowek() const {
        NaglowekTarczy n;
        n.data = kDzien;
        n.kierowca = QStringLiteral("Kowalski");
        n.pojazd = QStringLiteral("WX 1234");
        n.id_k = n.id_k_zapisany = 7;
        n.id_s = 3;
        n.km_pocz = 1000;
        n.km_kon = 1250;
        n.adnotacje = kZnaki;
        n.katalog_obrazow = katalog_.path();
        return n;
    }

    WynikZapisu zapisz(NaglowekTarczy& n, Lista_zdarz& l, const lista_rozladunkow& r = {}) {
        WynikZapisu w = ZapisTarczy(n, l, r).zapisz();
        if (w.zapisano) {
            n.id_tarczy = w.id_tarczy;
            n.istnieje = true;
            n.id_k_zapisany = n.id_k;
            n.figury_przy_otwarciu = figury_zdarzen(l);
            l.zmiana = 0;
        }
        return w;
    }

    // Saved periods in time order: (start, end) in minutes from the chart day, code, km, out.
    struct Zapisany {
        int od, do_, kod, km, out;
        bool operator==(const Zapisany&) const = default;
    };
    std::vector<Zapisany> zapisane(int id) {
        host::Query q(QStringLiteral("select czas_od, czas_do, czy_praca, km, out from poz_zdarz "
                                     "where id_t = :id order by czas_od"),
                      db());
        q.setParam(QStringLiteral("id"), id);
        q.open();
        std::vector<Zapisany> v;
        const auto min = [](double t) {
            return static_cast<int>(std::lround((t - kDzien) * 1440.0));
        };
        for (; !q.Eof(); q.Next())
            v.push_back({min(q.asDateTime(QStringLiteral("czas_od"))),
                         min(q.asDateTime(QStringLiteral("czas_do"))),
                         q.asInteger(QStringLiteral("czy_praca")),
                         q.asInteger(QStringLiteral("km")), q.asInteger(QStringLiteral("out"))});
        return v;
    }

    // Every table a save writes, as text.
    QStringList stan() {
        QStringList s;
        for (const char* t :
             {"tacho", "tacho_analog", "poz_zdarz", "punkty_zdarz", "punkty_tacho", "poz_zdarz_org",
              "pv", "punkty_specjalne", "komunikacja", "speed_poz_zdarz"}) {
            QSqlQuery q(db().db());
            EXPECT_TRUE(q.exec(QStringLiteral("select * from %1").arg(QLatin1String(t))));
            QStringList wiersze;
            while (q.next()) {
                QStringList w;
                for (int i = 0; i < q.record().count(); ++i)
                    w << q.value(i).toString();
                wiersze << w.join(QLatin1Char('|'));
            }
            wiersze.sort();
            s << QLatin1String(t) + QLatin1Char(':') + wiersze.join(QLatin1Char('\n'));
        }
        return s;
    }

    // Rows of "table [where ...]".
    int ile(const char* tabela) {
        return count(QStringLiteral("select count(*) as n from %1").arg(QLatin1String(tabela)));
    }

    QStringList pliki() const {
        return QDir(katalog_.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    std::shared_ptr<host::ScriptedDialogs> dialogi_;
    QTemporaryDir katalog_;
    int id_miasta_ = 0;
};

int minuta(int h, int m, int dzien = 0) {
    return dzien * 1440 + h * 60 + m;
}

TEST_P(Zapis, ZaokraglenieIGraniceOkresow) {
    struct Przypadek {
        const char* nazwa;
        std::vector<Okres> okresy;
        int bez_dociagania;
        std::vector<Zapisany> oczekiwane;
        int koniec_nastepnego = 0; // a working period ends on the next day
        const char* status = "";   // the chart's status text
    };
    const std::vector<Przypadek> przypadki = {
        {"zero-length period lasts a minute, the next starts a minute later",
         {{90, 120, kPostoj}, {120, 120.05, kPraca}, {120.05, 90, kPostoj}},
         0,
         {{minuta(6, 0), minuta(8, 0), kPostoj, 0, 0},
          {minuta(8, 0), minuta(8, 1), kPraca, 0, 0},
          {minuta(8, 1), minuta(6, 0, 1), kPostoj, 0, 0}}},
        {"last period within 0.3 degree of the start is stretched to a full day",
         {{90, 200, kPostoj}, {200, 89.8, kPraca}},
         0,
         {{minuta(6, 0), minuta(13, 20), kPostoj, 0, 0},
          {minuta(13, 20), minuta(6, 0, 1), kPraca, 0, 0}},
         1},
        {"without stretching the last period keeps its end",
         {{90, 200, kPostoj}, {200, 89.75, kPraca}},
         1,
         {{minuta(6, 0), minuta(13, 20), kPostoj, 0, 0},
          {minuta(13, 20), minuta(5, 59, 1), kPraca, 0, 0}},
         1},
        {"23:00 to 01:00 ends on the next day; 40000 km is stored as 0",
         {{90, 345, kPostoj}, {345, 375, kJazda, 40000}, {375, 90, kPostoj}},
         0,
         {{minuta(6, 0), minuta(23, 0), kPostoj, 0, 0},
          {minuta(23, 0), minuta(1, 0, 1), kJazda, 0, 0},
          {minuta(1, 0, 1), minuta(6, 0, 1), kPostoj, 0, 0}},
         1},
        {"the same drive held across angle 0 (end below start)",
         {{90, 345, kPostoj}, {345, 15, kJazda, 12}, {15, 90, kPostoj}},
         0,
         {{minuta(6, 0), minuta(23, 0), kPostoj, 0, 0},
          {minuta(23, 0), minuta(1, 0, 1), kJazda, 12, 0},
          {minuta(1, 0, 1), minuta(6, 0, 1), kPostoj, 0, 0}},
         1},
        {"a status text of abroad marks every period out",
         {{90, 200, kJazda, 50}, {200, 90, kPostoj}},
         0,
         {{minuta(6, 0), minuta(13, 20), kJazda, 50, 1},
          {minuta(13, 20), minuta(6, 0, 1), kPostoj, 0, 1}},
         0,
         "Resstrings_IDS_zlec_Poza_krajem1"},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        Lista_zdarz l;
        przygotuj(l, p.okresy);
        l.bez_dociagania = static_cast<std::uint8_t>(p.bez_dociagania);
        NaglowekTarczy n = naglowek();
        if (*p.status) n.status_tarczy = host::LoadResstrings(QLatin1String(p.status));
        const WynikZapisu w = zapisz(n, l);
        ASSERT_TRUE(w.zapisano) << dialogi_->shown.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(zapisane(w.id_tarczy), p.oczekiwane);
        EXPECT_EQ(w.koniec_nastepnego, p.koniec_nastepnego);
    }
}

TEST_P(Zapis, NiezmienionaTarczaZachowujeWierszeIPrzenosiKierowce) {
    Lista_zdarz l;
    przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
    l.pierwszy->punkty->dodaj(100.0f, 1, 300);
    l.pierwszy->punkty->dodaj(120.0f, 3, 310);
    NaglowekTarczy n = naglowek();
    ASSERT_TRUE(zapisz(n, l).zapisano);
    const int okresy = count(QStringLiteral("select max(id_tpz) as n from poz_zdarz"));

    Lista_zdarz wczytana;
    przygotuj(wczytana, {});
    wczytana.wczytaj_z_bazy(n.id_tarczy);
    n.figury_przy_otwarciu = figury_zdarzen(wczytana);
    n.id_k = 9; // another driver, periods unchanged
    ASSERT_TRUE(zapisz(n, wczytana).zapisano);
    EXPECT_EQ(count(QStringLiteral("select max(id_tpz) as n from poz_zdarz")), okresy);
    EXPECT_EQ(ile("speed_poz_zdarz where id_k = 9"), 2);
    EXPECT_EQ(ile("speed_poz_zdarz where id_k = 7"), 0);
    EXPECT_EQ(ile("punkty_zdarz"), 2);
    EXPECT_EQ(ile("tacho where zdarz_podsum is null"), 0);
}

TEST_P(Zapis, ZapisIWczytanieDajaToSamo) {
    Lista_zdarz l;
    przygotuj(l, {{90, 200, kJazda, 37}, {200, 260, kPraca}, {260, 90, kPostoj}});
    l.pierwszy->punkty->dodaj(100.5f, 1, 300);
    l.pierwszy->punkty->dodaj(150.25f, 4, 320);
    lista_rozladunkow r;
    rozladunek zal;
    zal.data = kDzien + 8.5 / 24.0;
    zal.stan_licznika = 1100;
    zal.typ = kZaladunek;
    zal.tonaz = 12.5f;
    zal.kod_ladunku = kZnaki.left(30);
    zal.id_adr = id_miasta_;
    r.dodaj(zal);
    rozladunek granica;
    granica.data = kDzien + 1.0 + 2.0 / 24.0;
    granica.typ = kPrzejscieGraniczne;
    granica.tonaz = 3.0f; // not stored for a border crossing
    granica.kod_ladunku = QStringLiteral("X");
    r.dodaj(granica);
    NaglowekTarczy n = naglowek();
    n.adnotacje_mod = kZnaki;
    n.pv = {{95.5, 130.25, 1}};
    n.id_konwojenta = 4;
    n.rodzaj = 2;
    n.status = 1;
    n.nieczytelna = 1;
    n.wirtualne_przem = 1;
    n.km_kon.reset();
    l.kat_zak = 301.5;
    const WynikZapisu w = zapisz(n, l, r);
    ASSERT_TRUE(w.zapisano);
    Lista_zdarz w_l;
    przygotuj(w_l, {});
    w_l.wczytaj_z_bazy(w.id_tarczy);
    EXPECT_EQ(kody(w_l), kody(l));
    ASSERT_EQ(w_l.liczba(), l.liczba());
    for (const Zdarzenie *a = w_l.pierwszy, *b = l.pierwszy; a && b; a = a->nast, b = b->nast) {
        EXPECT_NEAR(a->kat_od, b->kat_od, 1e-6);
        // The stretched last end (0.01 degree before the start) is stored as the start minute.
        EXPECT_NEAR(host::Katdo360(a->kat_do), host::Katdo360(b->kat_do), 0.011);
    }
    EXPECT_EQ(w_l.pierwszy->km, 37);
    ASSERT_EQ(w_l.pierwszy->punkty->ile, 2);
    EXPECT_FLOAT_EQ(w_l.pierwszy->punkty->pierwszy->kat, 100.5f);
    EXPECT_EQ(w_l.pierwszy->punkty->ostatni->nr_paska, 4);

    lista_rozladunkow w_r;
    w_r.wczytaj(w.id_tarczy, 0.0);
    ASSERT_EQ(w_r.ile(), 2);
    EXPECT_EQ(w_r[0].kod_ladunku, zal.kod_ladunku);
    EXPECT_FLOAT_EQ(w_r[0].tonaz, 12.5f);
    EXPECT_EQ(w_r[0].miasto, QStringLiteral("L'viv; \"x\""));
    EXPECT_NEAR(w_r[0].kat, 127.5, 1e-6);
    EXPECT_NEAR(w_r[1].data, granica.data, 1e-6);
    EXPECT_EQ(
        ile("punkty_specjalne where tonaz is null and kod_ladunku is null and id_adr is null"), 1);

    host::Query q(QStringLiteral("select adnotacje, adnotacje_mod, km_pocz, id_k from tacho where "
                                 "id_t = :id"),
                  db());
    q.setParam(QStringLiteral("id"), w.id_tarczy);
    q.open();
    EXPECT_EQ(q.asString(QStringLiteral("adnotacje")), kZnaki);
    EXPECT_EQ(q.asString(QStringLiteral("adnotacje_mod")), kZnaki);
    EXPECT_EQ(q.asInteger(QStringLiteral("km_pocz")), 1000);
    EXPECT_EQ(ile("tacho where id_konwojenta = 4 and id_konwojenta2 is null and rodzaj = 2 and "
                  "status = 1 and nieczytelna = 1 and wirtualne_przem = 1 and blad_obsl_t = 0 and "
                  "km_kon is null and id_s = 3"),
              1);
    EXPECT_EQ(ile("tacho_analog where kat24 = 0 and kat_zak = 301.5 and czy_szczeg = 0"), 1);
    EXPECT_EQ(ile("pv where kat_k = 130.25"), 1);
}

// A black-and-white picture goes to a 1-bit file, one with any other colour (here only in
// its last pixel) as it is; both read back pixel for pixel. The width is no multiple of
// eight, so the last byte of each row is only partly pixels.
TEST_P(Zapis, ObrazCzarnoBialyJednobitowyInnyJakJest) {
    QImage cb(37, 9, QImage::Format_ARGB32);
    cb.fill(Qt::white);
    for (int y = 0; y < cb.height(); ++y)
        for (int x = y % 3; x < cb.width(); x += 3 + y % 5)
            cb.setPixel(x, y, qRgb(0, 0, 0));
    cb.setPixel(36, 8, qRgb(0, 0, 0));
    QImage szary = cb;
    szary.setPixel(36, 8, qRgb(128, 128, 128));
    for (const QImage& skan : {cb, szary}) {
        const bool jednobitowy = skan == cb;
        SCOPED_TRACE(jednobitowy ? "black and white" : "grey pixel");
        const host::Bitmap32 obraz(skan);
        Lista_zdarz l;
        przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
        NaglowekTarczy n = naglowek();
        n.obraz = &obraz;
        const WynikZapisu w = zapisz(n, l);
        ASSERT_TRUE(w.zapisano);
        const QString plik =
            QDir(katalog_.path()).filePath(QStringLiteral("%1.bmp").arg(w.id_tarczy));
        host::Bitmap32 wczytany;
        ASSERT_TRUE(wczytany.LoadFromFile(plik));
        EXPECT_EQ(wczytany.image(), obraz.image());
        // Rows of 37 bits take one 32-bit word twice; a 32-bit row takes 37 words.
        const qint64 wiersze = QFileInfo(plik).size() - 54;
        if (jednobitowy)
            EXPECT_EQ(wiersze, 8 + 9 * 8); // the two-colour table, then the rows
        else
            EXPECT_GE(wiersze, 9 * 37 * 3);
    }
}

TEST_P(Zapis, BladKazdegoZapisuCofaWszystko) {
    struct Wiersz {
        const char* rodzaj;
        const char* instrukcja; // the first statement of this kind fails
        bool szczegolowa = false;
    };
    const Wiersz wiersze[] = {
        {"crew mark", "UPDATE tacho SET zespol"},
        {"chart row", "PZapTacho"},
        {"speed ranges removed", "delete from pv"},
        {"speed range", "insert into pv"},
        {"speed records removed", "SPEED_UsunPozZdarz"},
        {"periods removed", "delete from poz_zdarz"},
        {"period", "PZapPozZdarz"},
        {"speed record", "SPEED_ZapiszPozZdarz"},
        {"period point", "insert into punkty_zdarz"},
        {"entered period", "insert into poz_zdarz_org"},
        {"special points removed", "delete from punkty_specjalne"},
        {"special point", "PZapPktSpec"},
        {"change notice removed", "delete from Komunikacja"},
        {"change notice", "insert into Komunikacja"},
        {"commit", "commit"},
        {"chart points removed", "delete from punkty_tacho", true},
        {"chart point", "insert into punkty_tacho", true},
    };
    host::SetZm(QStringLiteral("Lista Tachozmian"), QStringLiteral("ROZ"), true);
    exec(
        QStringLiteral("insert into kalendarz (id_k, data) values (8, '2024-03-05 00:00:00.000')"));
    exec(
        QStringLiteral("insert into kalendarz (id_k, data) values (7, '2024-03-05 00:00:00.000')"));
    QImage skan(40, 30, QImage::Format_ARGB32);
    skan.fill(Qt::white);
    host::Bitmap32 obraz(skan);

    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.rodzaj);
        // The chart as a user edits it again: stored with everything, then saved with a fault.
        Lista_zdarz lista;
        lista_rozladunkow punkty;
        przygotuj(lista, {{90, 200, kJazda, 50}, {200, 260, kPraca}, {260, 90, kPostoj}});
        lista.czy_szczeg = w.szczegolowa ? 1 : 0;
        (w.szczegolowa ? lista.punkty_tarczy : lista.pierwszy->punkty)->dodaj(110.0f, 2, 300);
        rozladunek r;
        r.data = kDzien + 0.4;
        r.typ = kRozladunek;
        r.kod_ladunku = kZnaki.left(30);
        punkty.dodaj(r);
        NaglowekTarczy n = naglowek();
        n.obraz = &obraz;
        n.pv = {{100.0, 110.0, 1}};
        ASSERT_TRUE(zapisz(n, lista, punkty).zapisano);
        const QString bmp = QStringLiteral("%1.bmp").arg(n.id_tarczy);
        ASSERT_EQ(pliki(), QStringList{bmp});

        // The user edits: another driver, a changed period, an entered period kept as entered.
        n.id_k = 8;
        n.id_konwojenta = 7; // whose change notice of the first save is replaced
        n.adnotacje = QStringLiteral("zmienione");
        lista.pierwszy->km = 60;
        lista.zmiana = 1;
        if (auto e = zrob_zdarzenie(*lista.pierwszy, lista.NEW_Zdarzenie))
            lista.oryginalne.push_back(std::move(e));
        ASSERT_FALSE(lista.oryginalne.empty()) << "no event-conversion library";
        const QStringList przed = stan();

        // A run inside a transaction of the test's own lists the statements; it is undone.
        std::vector<int> klucze;
        for (const Zdarzenie* z = lista.pierwszy; z; z = z->nast)
            klucze.push_back(z->id_tpz);
        const std::size_t zapisane_org = lista.zapisane_oryginalne;
        db().BeginTrans();
        db().failStatement(0);
        ASSERT_TRUE(ZapisTarczy(n, lista, punkty).zapisz().zapisano);
        const QStringList instrukcje = db().statementsCounted();
        db().stopCounting();
        db().RollbackTrans();
        int k = 0;
        for (Zdarzenie* z = lista.pierwszy; z; z = z->nast)
            z->id_tpz = klucze[static_cast<size_t>(k++)];
        lista.zapisane_oryginalne = zapisane_org;
        ASSERT_EQ(stan(), przed);

        // The outermost commit is not reached inside the test's transaction: it comes last.
        int nr = QLatin1String(w.instrukcja) == QLatin1String("commit")
                     ? static_cast<int>(instrukcje.size()) + 1
                     : 0;
        for (int i = 0; i < instrukcje.size() && nr == 0; ++i)
            if (instrukcje[i].contains(QLatin1String(w.instrukcja), Qt::CaseInsensitive))
                nr = i + 1;
        ASSERT_GT(nr, 0) << instrukcje.join(QLatin1Char('\n')).toStdString();

        dialogi_->shown.clear();
        db().failStatement(nr);
        const WynikZapisu blad = ZapisTarczy(n, lista, punkty).zapisz();
        db().stopCounting();
        EXPECT_FALSE(blad.zapisano);
        EXPECT_EQ(blad.klucz_bledu, QStringLiteral("Resstrings_IDS_Nie_zap_tacho"));
        EXPECT_EQ(dialogi_->shown, QStringList{host::LoadResstrings(
                                       QStringLiteral("Resstrings_IDS_Nie_zap_tacho"))});
        EXPECT_FALSE(db().InTransaction());
        EXPECT_EQ(stan(), przed);
        EXPECT_EQ(pliki(), QStringList{bmp}); // the stored picture, no temporary one
        k = 0;
        for (const Zdarzenie* z = lista.pierwszy; z; z = z->nast)
            EXPECT_EQ(z->id_tpz, klucze[static_cast<size_t>(k++)]);
        EXPECT_EQ(lista.pierwszy->km, 60);
        EXPECT_EQ(lista.zapisane_oryginalne, zapisane_org);

        // Once the fault is gone the same edits save.
        ASSERT_TRUE(zapisz(n, lista, punkty).zapisano);
        EXPECT_EQ(ile("tacho where adnotacje = 'zmienione' and id_k = 8"), 1);
        // The entered period as entered: the columns the save does not know stay empty.
        EXPECT_EQ(ile("poz_zdarz_org where czy_praca = 2 and gbox is null and km_wer is null"), 1);
        EXPECT_EQ(ile("komunikacja where id_k = 8"), 1);
        EXPECT_EQ(pliki(), QStringList{bmp});
        exec(QStringLiteral("delete from tacho"));
        exec(QStringLiteral("delete from poz_zdarz_org"));
        exec(QStringLiteral("delete from komunikacja"));
        QFile::remove(QDir(katalog_.path()).filePath(bmp));
    }
}

TEST_P(Zapis, TarczaUsunietaWMiedzyczasie) {
    Lista_zdarz l;
    przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
    NaglowekTarczy n = naglowek();
    ASSERT_TRUE(zapisz(n, l).zapisano);
    if (pg()) {
        // Another user, on a connection of their own.
        host::ConnectionParams drugi = db().params();
        drugi.schemaUse = host::SchemaUse::Ignore;
        host::Connection inny(drugi);
        host::ExecQuery(QStringLiteral("delete from tacho"), &inny);
    } else {
        exec(QStringLiteral("delete from tacho"));
    }
    l.zmiana = 1;
    dialogi_->shown.clear();
    const WynikZapisu w = ZapisTarczy(n, l, {}).zapisz();
    EXPECT_FALSE(w.zapisano);
    EXPECT_EQ(w.klucz_bledu, QStringLiteral("Resstrings_IDS_Rekord_usuniety"));
    EXPECT_EQ(ile("poz_zdarz"), 0);
    EXPECT_TRUE(pliki().isEmpty());
}

TEST_P(Zapis, ObrazPrzenoszonyDopieroPoZatwierdzeniu) {
    QImage skan(40, 30, QImage::Format_ARGB32);
    skan.fill(Qt::white);
    host::Bitmap32 obraz(skan);
    Lista_zdarz l;
    przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
    NaglowekTarczy n = naglowek();
    n.obraz = &obraz;
    // A folder in the way of the final name: the rename after the commit fails.
    ASSERT_TRUE(QDir(katalog_.path()).mkdir(QStringLiteral("1.bmp")));
    ASSERT_TRUE(QDir(katalog_.path()).mkdir(QStringLiteral("2.bmp")));
    const WynikZapisu w = zapisz(n, l);
    ASSERT_TRUE(w.zapisano); // the rows are stored; the user is told about the picture
    EXPECT_EQ(w.ostrzezenie,
              host::LoadResstrings(QStringLiteral("Resstrings_IDS_ChildKatalogNieDoZapisu")));
    EXPECT_EQ(dialogi_->shown, QStringList{w.ostrzezenie});
    EXPECT_TRUE(pliki().isEmpty());
    EXPECT_EQ(ile("poz_zdarz"), 2);
}

// The disk fills while the picture is written: files of this process cannot grow past a
// limit, so the write fails half way, as it does on a full disk.
class PelnyDysk {
public:
    explicit PelnyDysk(rlim_t bajty) : sygnal_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &stary_);
        rlimit nowy = stary_;
        nowy.rlim_cur = bajty;
        setrlimit(RLIMIT_FSIZE, &nowy);
    }
    ~PelnyDysk() {
        setrlimit(RLIMIT_FSIZE, &stary_);
        std::signal(SIGXFSZ, sygnal_);
    }
    PelnyDysk(const PelnyDysk&) = delete;
    PelnyDysk& operator=(const PelnyDysk&) = delete;

private:
    rlimit stary_{};
    void (*sygnal_)(int);
};

TEST_P(Zapis, PelnyDyskPrzerywaZapisObrazu) {
    // Grey, so it is written whole (about 480 kB), not as a 1-bit bitmap.
    QImage skan(400, 300, QImage::Format_ARGB32);
    skan.fill(Qt::gray);
    const host::Bitmap32 obraz(skan);
    Lista_zdarz l;
    przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
    NaglowekTarczy n = naglowek();
    n.obraz = &obraz;
    const QString ostrzezenie =
        host::LoadResstrings(QStringLiteral("Resstrings_IDS_ChildKatalogNieDoZapisu"));
    {
        const PelnyDysk pelny(64 * 1024);
        const WynikZapisu w = zapisz(n, l);
        // The rows are stored; the user is told the picture is not, and no part of it is left.
        ASSERT_TRUE(w.zapisano);
        EXPECT_EQ(w.ostrzezenie, ostrzezenie);
        EXPECT_TRUE(pliki().isEmpty()) << pliki().join(' ').toStdString();
        EXPECT_EQ(ile("poz_zdarz"), 2);
    }

    // Saved again with room: the picture is there. Then the disk fills during the next save
    // of the edited chart: the stored picture is the one of the last save, whole.
    ASSERT_TRUE(zapisz(n, l).zapisano);
    const QString bmp = QDir(katalog_.path()).filePath(QStringLiteral("%1.bmp").arg(n.id_tarczy));
    QFile plik(bmp);
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    const QByteArray przed = plik.readAll();
    plik.close();
    ASSERT_GT(przed.size(), 64 * 1024);
    {
        const PelnyDysk pelny(64 * 1024);
        n.adnotacje = QStringLiteral("po awarii");
        l.zmiana = 1;
        const WynikZapisu w = zapisz(n, l);
        ASSERT_TRUE(w.zapisano);
        EXPECT_EQ(w.ostrzezenie, ostrzezenie);
    }
    EXPECT_EQ(pliki(), QStringList{QFileInfo(bmp).fileName()});
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    EXPECT_EQ(plik.readAll(), przed);
    EXPECT_EQ(ile("tacho where adnotacje = 'po awarii'"), 1);
}

TEST_P(Zapis, SprawdzeniaPrzedZapisem) {
    struct Przypadek {
        const char* nazwa;
        std::function<void(NaglowekTarczy&)> zmien;
        QString klucz;
    };
    const std::vector<Przypadek> przypadki = {
        {"no date", [](NaglowekTarczy& n) { n.data = 0.0; }, "Resstrings_IDS_ustaw_date_tarczy"},
        {"no driver", [](NaglowekTarczy& n) { n.id_k = 0; }, "Resstrings_IDS_ChildNieMaKierowcy"},
        {"no vehicle", [](NaglowekTarczy& n) { n.id_s = 0; }, "Resstrings_IDS_ChildNieMaSamochodu"},
        {"co-driver is the driver", [](NaglowekTarczy& n) { n.id_konwojenta = n.id_k; },
         "Resstrings_IDS_kierowca_rozny_od_konwojenta"},
        {"two equal co-drivers", [](NaglowekTarczy& n) { n.id_konwojenta = n.id_konwojenta2 = 4; },
         "Resstrings_IDS_prosze_wybrac_roznych_konwojentow"},
        {"image folder missing",
         [](NaglowekTarczy& n) { n.katalog_obrazow += QStringLiteral("/brak"); },
         "Resstrings_IDS_ChildNiewlascFldObr"},
        {"all fine", [](NaglowekTarczy&) {}, QString()},
    };
    Lista_zdarz l;
    przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        NaglowekTarczy n = naglowek();
        p.zmien(n);
        dialogi_->shown.clear();
        EXPECT_EQ(sprawdz_przed_zapisem(n, l), p.klucz);
        EXPECT_EQ(dialogi_->shown.size(), p.klucz.isEmpty() ? 0 : 1);
    }
}

TEST_P(Zapis, PytaniaPrzedZapisemZatrzymujaBezZgody) {
    Lista_zdarz l;
    przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
    NaglowekTarczy inna = naglowek();
    ASSERT_TRUE(zapisz(inna, l).zapisano); // the same driver's chart of the same day
    exec(QStringLiteral("insert into dzien (dzien, nazwa) values (1, 'urlop')"));
    exec(QStringLiteral("insert into nieobecnosc (id_k, id_dnia, data_od, data_do) select 7, "
                        "max(id_dnia), '2024-03-01 00:00:00.000', '2024-03-10 00:00:00.000' "
                        "from dzien"));
    NaglowekTarczy n = naglowek();
    dialogi_->pushAnswer(host::IDNO);
    EXPECT_EQ(sprawdz_przed_zapisem(n, l), QStringLiteral("Resstrings_IDS_Szablon_Wolne1"));
    dialogi_->pushAnswer(host::IDYES);
    dialogi_->pushAnswer(host::IDNO);
    EXPECT_EQ(sprawdz_przed_zapisem(n, l), QStringLiteral("Resstrings_IDS_ChildZapisacTarcze"));
    dialogi_->pushAnswer(host::IDYES);
    dialogi_->pushAnswer(host::IDYES);
    EXPECT_EQ(sprawdz_przed_zapisem(n, l), QString());
    EXPECT_TRUE(dialogi_->unexpected.isEmpty());
}

// Another chart of the same driver: its working time overlapping this chart's, or only the
// same date; refusing to save offers to open the charts found.
TEST_P(Zapis, NachodzaceTarczeDoOtwarcia) {
    struct Przypadek {
        const char* nazwa;
        std::vector<Okres> inna; // the stored chart's periods (a list would not outlive this)
        const char* klucz;       // of the first text shown
    };
    const std::vector<Przypadek> przypadki = {
        {"work overlaps",
         {{90, 150, kPraca}, {150, 90, kPostoj}},
         "Resstrings_IDS_ChildTarczaWBazie1"},
        {"same day, work apart",
         {{90, 300, kPostoj}, {300, 330, kJazda, 10}, {330, 90, kPostoj}},
         "Resstrings_IDS_ChildTarczaWBazie2"},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        exec(QStringLiteral("delete from tacho"));
        exec(QStringLiteral("delete from poz_zdarz"));
        Lista_zdarz inna_l;
        przygotuj(inna_l, p.inna);
        NaglowekTarczy inna = naglowek();
        inna.id_s = 4;
        ASSERT_TRUE(zapisz(inna, inna_l).zapisano);

        Lista_zdarz l;
        przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
        const NaglowekTarczy n = naglowek();
        dialogi_->shown.clear();
        dialogi_->unexpected.clear();
        dialogi_->pushAnswer(host::IDNO);  // do not save beside it
        dialogi_->pushAnswer(host::IDYES); // open it
        std::vector<TarczaDoOtwarcia> do_otwarcia;
        EXPECT_EQ(sprawdz_przed_zapisem(n, l, &do_otwarcia),
                  QStringLiteral("Resstrings_IDS_ChildZapisacTarcze"));
        EXPECT_TRUE(dialogi_->unexpected.isEmpty());
        ASSERT_EQ(dialogi_->shown.size(), 2);
        EXPECT_TRUE(dialogi_->shown[0].startsWith(host::LoadResstrings(QLatin1String(p.klucz))));
        EXPECT_TRUE(dialogi_->shown[1].contains(QStringLiteral("2024-03-05")));
        EXPECT_TRUE(dialogi_->shown[1].contains(QStringLiteral("(%1)").arg(inna.id_tarczy)));
        ASSERT_EQ(do_otwarcia.size(), 1u);
        EXPECT_EQ(do_otwarcia[0].id_t, inna.id_tarczy);
    }
    // Agreeing to save beside it offers nothing to open.
    Lista_zdarz l;
    przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
    dialogi_->shown.clear();
    dialogi_->pushAnswer(host::IDYES);
    std::vector<TarczaDoOtwarcia> do_otwarcia;
    EXPECT_EQ(sprawdz_przed_zapisem(naglowek(), l, &do_otwarcia), QString());
    EXPECT_EQ(dialogi_->shown.size(), 1);
    EXPECT_TRUE(do_otwarcia.empty());
}

// The overlap query itself: its time bounds are open, the chart's date must lie within a day
// of the times, and a person counts in any seat.
TEST_P(Zapis, InneTarczeOsobNaGranicachCzasuIDnia) {
    using host::TDateTime;
    const int inna = addChart(7, TDateTime::encode(2024, 3, 5), 2);
    addPeriod(inna, TDateTime::encode(2024, 3, 5, 22, 0), TDateTime::encode(2024, 3, 6, 2, 0), 2);
    addPeriod(inna, TDateTime::encode(2024, 3, 12, 22, 0), TDateTime::encode(2024, 3, 13, 2, 0), 2);
    addChart(7, TDateTime::encode(2024, 2, 20));
    NaglowekTarczy n = naglowek();
    const TDateTime d5 = TDateTime::encode(2024, 3, 5), d6 = TDateTime::encode(2024, 3, 6);
    const auto ile = [&](double od, double do_) {
        return inne_tarcze_osob(n, false, TDateTime(od), TDateTime(do_)).size();
    };
    EXPECT_EQ(ile(d5 + 23.0 / 24, d6 + 9.0 / 24), 1u);
    EXPECT_EQ(ile(d5 + 6.0 / 24, d5 + 22.0 / 24), 0u);         // ends as the other starts
    EXPECT_EQ(ile(d6 + 2.0 / 24, d6 + 9.0 / 24), 0u);          // starts as the other ends
    EXPECT_EQ(ile(d5 + 7 + 23.0 / 24, d6 + 7 + 1.0 / 24), 0u); // a week on: dated too early
    EXPECT_EQ(ile(d5 + 23.5 / 24, d6 + 9.0 / 24), 1u);
    EXPECT_EQ(ile(d6 + 1.0 / 24, d6 + 9.0 / 24), 0u); // exactly a day after the chart's date
    n.id_k = 99;
    n.id_konwojenta2 = 7;
    EXPECT_EQ(ile(d5 + 23.0 / 24, d6 + 9.0 / 24), 1u);
    n.id_tarczy = inna;
    EXPECT_EQ(ile(d5 + 23.0 / 24, d6 + 9.0 / 24), 0u);
}

// The header's day buttons: the driver's charts by date then key, other drivers' left out, and
// a digital chart of the same day opened beside the analogue one.
TEST_P(Zapis, SasiedniaTarczaKierowcy) {
    using host::TDateTime;
    const int a = addChart(1, TDateTime::encode(2024, 3, 5));
    const int b = addChart(1, TDateTime::encode(2024, 3, 6));
    const int c = addChart(1, TDateTime::encode(2024, 3, 8));
    addChart(2, TDateTime::encode(2024, 3, 7));
    const auto nastepna = [](int id_tarczy, int d, bool poprzednia) {
        return sasiednia_tarcza(1, TDateTime::encode(2024, 3, d), id_tarczy, poprzednia, 1);
    };
    ASSERT_TRUE(nastepna(a, 5, false));
    EXPECT_EQ(nastepna(a, 5, false)->id_t, b);
    EXPECT_EQ(nastepna(a, 5, false)->drugi_id_t, 0);
    EXPECT_EQ(nastepna(c, 8, true)->id_t, b);
    EXPECT_FALSE(nastepna(c, 8, false));

    const int cyfrowa = addChart(1, TDateTime::encode(2024, 3, 6));
    exec(QStringLiteral("update tacho set cyfrowy = 1 where id_t = %1").arg(cyfrowa));
    const auto s = nastepna(a, 5, false);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->id_t, b);
    EXPECT_EQ(s->drugi_id_t, cyfrowa);
    EXPECT_EQ(s->drugi_cyfrowy, 1);
    // On the same day the key orders: from b the digital chart is next, alone.
    EXPECT_EQ(nastepna(b, 6, false)->id_t, cyfrowa);
    EXPECT_EQ(nastepna(b, 6, false)->drugi_id_t, 0);
}

TEST_P(Zapis, ZespolPytaIOstrzegaPrzedZapisem) {
    exec(QStringLiteral("insert into kierowca (nazwisko, imie) values ('Nowak', 'Jan')"));
    const int nowak = count(QStringLiteral("select max(id_k) as n from kierowca"));
    struct Przypadek {
        const char* nazwa;
        int zespol_partnera; // -1: no other chart
        bool partner_ma_kierowce;
        int zespol;        // the crew mark of the chart saved
        int odpowiedz;     // to the one box shown (0: none shown)
        const char* klucz; // of the text shown
        bool zapisano;
    };
    const int ok = host::IDOK, anuluj = host::IDCANCEL;
    const char* zespol_do = "Resstrings_IDS_ChildZespolDoTarczy";
    const char* mozliwe = "Resstrings_IDS_MozliweNieZespoly";
    const std::vector<Przypadek> przypadki = {
        {"crew partner found, go on", 1, true, 1, ok, zespol_do, true},
        {"crew partner found, refused", 1, true, 1, anuluj, zespol_do, false},
        {"partner without driver, refused", 1, false, 1, anuluj, "Resstrings_IDS_ChildBrakKierowcy",
         false},
        {"crew chart, partner not marked", 0, true, 1, ok, mozliwe, true},
        {"not a crew chart, a possible partner", 1, true, 0, ok, mozliwe, true},
        {"no other chart", -1, true, 1, 0, "", true},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        exec(QStringLiteral("delete from tacho"));
        exec(QStringLiteral("delete from poz_zdarz"));
        if (p.zespol_partnera >= 0)
            exec(QStringLiteral("insert into tacho (data, id_k, id_s, km_pocz, km_kon, zespol) "
                                "values ('2024-03-05 00:00:00.000', %1, 3, 1000, 1400, %2)")
                     .arg(p.partner_ma_kierowce ? QString::number(nowak) : QStringLiteral("null"))
                     .arg(p.zespol_partnera));
        const int przed = ile("tacho");
        const int partner = count(QStringLiteral("select coalesce(max(id_t), 0) as n from tacho"));
        Lista_zdarz l;
        przygotuj(l, {{90, 200, kJazda, 50}, {200, 90, kPostoj}});
        NaglowekTarczy n = naglowek();
        n.zespol = p.zespol;
        dialogi_->shown.clear();
        dialogi_->unexpected.clear();
        if (p.odpowiedz) dialogi_->pushAnswer(p.odpowiedz);
        const WynikZapisu w = ZapisTarczy(n, l, {}).zapisz();
        EXPECT_EQ(w.zapisano, p.zapisano);
        EXPECT_TRUE(dialogi_->unexpected.isEmpty())
            << dialogi_->shown.join(QLatin1Char('\n')).toStdString();
        ASSERT_EQ(dialogi_->shown.size(), p.odpowiedz ? 1 : 0);
        if (p.odpowiedz) {
            EXPECT_TRUE(
                dialogi_->shown.first().startsWith(host::LoadResstrings(QLatin1String(p.klucz))))
                << dialogi_->shown.first().toStdString();
        }
        if (p.klucz == zespol_do) {
            EXPECT_TRUE(dialogi_->shown.first().contains(QStringLiteral("Nowak Jan")));
            EXPECT_TRUE(dialogi_->shown.first().contains(QString::number(partner)));
        }
        // A refusal writes nothing at all.
        EXPECT_EQ(ile("tacho"), przed + (p.zapisano ? 1 : 0));
        if (!p.zapisano) {
            EXPECT_EQ(ile("poz_zdarz"), 0);
            EXPECT_TRUE(pliki().isEmpty());
        }
    }
}

// Two windows holding the same stored chart save one after the other: the later save
// replaces the earlier one whole, without duplicated or orphaned rows.
TEST_P(Zapis, DwaZapisyTejSamejTarczyNadpisujaSieSpojnie) {
    Lista_zdarz l;
    przygotuj(l, {{90, 200, kJazda, 50}, {200, 300, kPraca}, {300, 90, kPostoj}});
    NaglowekTarczy n = naglowek();
    ASSERT_TRUE(zapisz(n, l).zapisano);
    const NaglowekTarczy otwarta = n; // what both windows opened

    Lista_zdarz pierwsze, drugie;
    przygotuj(pierwsze, {{90, 150, kJazda, 30}, {150, 250, kPraca}, {250, 90, kPostoj}});
    przygotuj(drugie, {{90, 120, kJazda, 20}, {120, 90, kPostoj}});
    pierwsze.zmiana = drugie.zmiana = 1;
    NaglowekTarczy a = otwarta, b = otwarta;
    a.adnotacje = QStringLiteral("pierwsze");
    b.adnotacje = QStringLiteral("drugie");
    ASSERT_TRUE(ZapisTarczy(a, pierwsze, {}).zapisz().zapisano);
    ASSERT_TRUE(ZapisTarczy(b, drugie, {}).zapisz().zapisano);

    EXPECT_EQ(ile("tacho"), 1);
    EXPECT_EQ(zapisane(n.id_tarczy),
              (std::vector<Zapisany>{{360, 480, kJazda, 20, 0}, {480, 1800, kPostoj, 0, 0}}));
    EXPECT_EQ(ile("poz_zdarz"), 2);
    EXPECT_EQ(ile("punkty_zdarz where id_tpz not in (select id_tpz from poz_zdarz)"), 0);
    EXPECT_EQ(ile("speed_poz_zdarz where id_tpz not in (select id_tpz from poz_zdarz)"), 0);
    EXPECT_EQ(ile("tacho where adnotacje = 'drugie'"), 1);
}

INSTANTIATE_TEST_SUITE_P(, Zapis, ::testing::Values(backendUnderTest()), backendName);

} // namespace
