// The module through its entry points, as a host drives it.

#include "ModuleFixture.h"

#include "chartwin/TOknoKXMDIChild.h"
#include "host/Biblioteki.h"
#include "host/Ustawienia.h"
#include "host/db/Query.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

using V = std::vector<unsigned>;

const char* const kEksporty[] = {"_CreateChild", "_Execute",       "_Ustaw_Child", "_OtworzChild",
                                 "_Show",        "_GetModuleName", "_GetDllCode",  "_GetVersionA",
                                 "_GetNazwaUpr", "_CloseChild",    "_OdswiezBuf",  "_ChildCzysc"};

std::intptr_t p(QWidget* w) {
    return reinterpret_cast<std::intptr_t>(w);
}

} // namespace

TEST_F(ModuleTest, ExportsEveryEntryPointAndNothingElse) {
    QLibrary* lib = gospodarz->zaladuj();
    ASSERT_NE(lib, nullptr);
    QStringList oczekiwane;
    for (const char* e : kEksporty)
        oczekiwane << QLatin1String(e);
    QProcess nm;
    nm.start(QStringLiteral("nm"),
             {QStringLiteral("-D"), QStringLiteral("--defined-only"), lib->fileName()});
    ASSERT_TRUE(nm.waitForFinished(30000));
    QStringList symbole;
    for (const QString& linia :
         QString::fromLatin1(nm.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QStringList pola = linia.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        // Code, data and weak symbols; the linker's section markers are absolute.
        if (pola.size() == 3 && QStringLiteral("TtDdWwVvRr").contains(pola[1])) symbole << pola[2];
    }
    for (const char* znacznik : {"_edata", "_end", "__bss_start"})
        symbole.removeAll(QLatin1String(znacznik));
    symbole.sort();
    oczekiwane.sort();
    EXPECT_EQ(symbole, oczekiwane);

    // The host asks these before any window exists; they send nothing.
    QString s;
    gospodarz->fn<kx::GetString_fn>(lib, "_GetVersionA")(&s);
    EXPECT_EQ(s, QStringLiteral(TACHO_FILE_VERSION));
    EXPECT_TRUE(gospodarz->komunikaty.empty());
}

TEST_F(ModuleTest, CallingOrderForTwoCharts) {
    const int id = dodaj_tarcze();
    QWidget* a = gospodarz->otworz(id);
    ASSERT_NE(a, nullptr);
    // 0x490 is sent inside Ustaw_Child; the constructor's 0x48E was posted and arrives after.
    EXPECT_EQ(gospodarz->numery(), V({kx::kMsgUstawiono}));
    QWidget* b = gospodarz->otworz(dodaj_tarcze());
    ASSERT_NE(b, nullptr);
    TestHost::dostarcz();
    EXPECT_EQ(gospodarz->komunikaty, (std::vector<Komunikat>{{kx::kMsgUstawiono, p(a)},
                                                             {kx::kMsgUstawiono, p(b)},
                                                             {kx::kMsgUtworzono, p(a)},
                                                             {kx::kMsgUtworzono, p(b)}}));
    EXPECT_EQ(a->windowTitle(), QStringLiteral("Tarcza %1").arg(id));
    EXPECT_TRUE(static_cast<TOknoKXMDIChild*>(a)->CzyTarcza(id));
    EXPECT_FALSE(static_cast<TOknoKXMDIChild*>(b)->CzyTarcza(id));
    const kx::HostTag tag_a = static_cast<TOknoKXMDIChild*>(a)->GetTag();
    const kx::HostTag tag_b = static_cast<TOknoKXMDIChild*>(b)->GetTag();
    EXPECT_NE(tag_a, tag_b);

    gospodarz->komunikaty.clear();
    // A chart without a driver is not saved: save-and-close says so and keeps the window.
    dialogi->pushAnswer(host::IDOK);
    gospodarz->fn<kx::CloseChild_fn>(gospodarz->instancje.at(tag_b).get(), "_CloseChild")(b, true);
    TestHost::dostarcz();
    EXPECT_EQ(dialogi->shown.size(), 1);
    EXPECT_EQ(gospodarz->okna.size(), 2u);

    // The close button closes b without saving; a stays.
    kontrolka<QPushButton>(b, "Button6")->click();
    EXPECT_EQ(gospodarz->numery(), V({})); // posted: not yet
    TestHost::dostarcz();
    // The host deleted b on 0x491: 0x48F is sent from the destructor, 0x7EF posted.
    EXPECT_EQ(gospodarz->komunikaty,
              (std::vector<Komunikat>{{kx::kMsgZamknij, p(b)},
                                      {kx::kMsgNiszczenie, p(b)},
                                      {kx::kMsgZwolnijModul, static_cast<std::intptr_t>(tag_b)}}));
    EXPECT_EQ(gospodarz->okna, std::vector<QWidget*>{a});
    EXPECT_EQ(gospodarz->instancje.count(tag_a), 1u);
    EXPECT_EQ(gospodarz->zwolnione, 1);
}

TEST_F(ModuleTest, RefusedChartKindMakesNoWindow) {
    host::SetZm(QStringLiteral("tylko_cyfrowe"), QStringLiteral("ALL"), true);
    const int id = dodaj_tarcze();
    EXPECT_EQ(gospodarz->otworz(id, kx::kTrybZapisana, true), nullptr);
    TestHost::dostarcz();
    EXPECT_TRUE(gospodarz->komunikaty.empty());
    EXPECT_EQ(ile_wierszy_sesji(id), 0);
    // Without the check the same host makes the window.
    EXPECT_NE(gospodarz->otworz(id, kx::kTrybZapisana, false), nullptr);
}

TEST_F(ModuleTest, OpenChartRows) {
    struct Przypadek {
        bool zapis_przy_zamykaniu, zapis_sesji;
        int zostaje;
    };
    for (const Przypadek c : {Przypadek{false, false, 0}, Przypadek{true, false, 0},
                              Przypadek{false, true, 0}, Przypadek{true, true, 1}}) {
        SCOPED_TRACE(testing::Message() << c.zapis_przy_zamykaniu << c.zapis_sesji);
        host::SetZm(QStringLiteral("cb_save_session_closing"), QStringLiteral("ALL"),
                    c.zapis_przy_zamykaniu);
        host::SetZm(QStringLiteral("cb_save_session"), QStringLiteral("ALL"), c.zapis_sesji);
        const int id = dodaj_tarcze();
        QWidget* w1 = gospodarz->otworz(id);
        EXPECT_EQ(ile_wierszy_sesji(id), 1);
        QWidget* w2 = gospodarz->otworz(id); // the same chart again finds its row
        EXPECT_EQ(ile_wierszy_sesji(id), 1);
        delete w2;
        delete w1;
        gospodarz->okna.clear();
        TestHost::dostarcz();
        EXPECT_EQ(ile_wierszy_sesji(id), c.zostaje);
    }
    // Without cb_run_session nothing is written.
    host::SetZm(QStringLiteral("cb_run_session"), QStringLiteral("ALL"), false);
    const int id = dodaj_tarcze();
    gospodarz->otworz(id);
    EXPECT_EQ(ile_wierszy_sesji(id), 0);
    // A database that refuses the row still gets its window, without a message.
    host::SetZm(QStringLiteral("cb_run_session"), QStringLiteral("ALL"), true);
    host::ExecQuery(QStringLiteral("drop table sesja"));
    EXPECT_NE(gospodarz->otworz(dodaj_tarcze()), nullptr);
    EXPECT_TRUE(dialogi->shown.isEmpty());
}

TEST_F(ModuleTest, OpeningModesEnableExactlyTheirControls) {
    QWidget* okna[] = {gospodarz->otworz(dodaj_tarcze(), kx::kTrybPodglad),
                       gospodarz->otworz(dodaj_tarcze(), kx::kTrybZapisana),
                       // A stored chart of a free day: its date and driver are fixed.
                       gospodarz->otworz(dodaj_tarcze(/*typ_dnia=*/1), kx::kTrybZapisana, false),
                       nullptr};
    // Extended preview: status and annotations stay usable.
    host::SetZm(QStringLiteral("podglad_rozszerzony"), QStringLiteral("ALL"), true);
    okna[3] = gospodarz->otworz(dodaj_tarcze(), kx::kTrybPodglad);
    // Enabled in: preview, stored, stored free day, extended preview.
    struct Grupa {
        bool wlaczona[4];
        std::vector<const char*> nazwy;
    };
    const Grupa tabela[] = {
        {{false, true, false, false}, {"kierowca", "data_tacho", "dodaj_kier"}},
        {{false, true, true, false},
         {"nr_rej", "km_od", "typy", "il_minut", "rb_dod", "cb1", "usun_punkty"}},
        {{false, true, true, true},
         {"status_tarczy", "cb_status", "slownik_status", "adnotacje_tarczy"}},
        // Viewing, moving between charts and closing stay in every mode.
        {{true, true, true, true},
         {"zdarz_grid", "Button6", "powieksz", "Image2", "Image4", "pop_dzien", "kierowca1",
          "lista_bledow", "PageControl"}}};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(okna[i], nullptr);
        for (const Grupa& g : tabela)
            for (const char* n : g.nazwy)
                EXPECT_EQ(kontrolka<QWidget>(okna[i], n)->isEnabled(), g.wlaczona[i])
                    << n << " in opening " << i;
    }
    const bool tylko_odczyt[] = {true, false, false, false};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kontrolka<QPlainTextEdit>(okna[i], "adnotacje")->isReadOnly(), tylko_odczyt[i])
            << i;
}

TEST_F(ModuleTest, CloseQueryAskedOnceAndOnlyWithChanges) {
    QWidget* w = gospodarz->otworz(dodaj_tarcze());
    TestHost::dostarcz();
    gospodarz->komunikaty.clear();
    // Nothing changed: closes without a question.
    gospodarz->usuwaj_na_zamkniecie = false;
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(dialogi->shown.isEmpty());
    TestHost::dostarcz();
    EXPECT_EQ(gospodarz->numery(), V({kx::kMsgZamknij}));
    // Under a host record only the chart's own changes count, not the save button.
    QWidget* r = gospodarz->otworz(dodaj_tarcze());
    kx::KxRekordHosta rekord;
    gospodarz->fn<kx::OdswiezBuf_fn>(gospodarz->instancje.begin()->second.get(),
                                     "_OdswiezBuf")(r, &rekord);
    kontrolka<QPushButton>(r, "zap1")->setEnabled(true);
    EXPECT_TRUE(r->close());
    EXPECT_TRUE(dialogi->shown.isEmpty());

    // A change: the question comes once; Cancel keeps the window.
    QWidget* z = gospodarz->otworz(dodaj_tarcze());
    kontrolka<QPushButton>(z, "zap1")->setEnabled(true);
    dialogi->pushAnswer(host::IDCANCEL);
    EXPECT_FALSE(z->close());
    EXPECT_EQ(dialogi->shown.size(), 1);
    EXPECT_TRUE(dialogi->shown[0].contains(QStringLiteral("Tarcza")));
    EXPECT_EQ(dialogi->lastFlags, 35);
    // Yes runs the save, which cannot complete yet: the window stays, the save button too.
    dialogi->pushAnswer(host::IDYES);
    dialogi->pushAnswer(host::IDOK);
    EXPECT_FALSE(z->close());
    EXPECT_EQ(dialogi->shown.size(), 3);
    EXPECT_TRUE(kontrolka<QPushButton>(z, "zap1")->isEnabled());
    // No closes without saving.
    dialogi->pushAnswer(host::IDNO);
    EXPECT_TRUE(z->close());
    EXPECT_EQ(dialogi->shown.size(), 4);
    EXPECT_TRUE(dialogi->unexpected.isEmpty());
}

namespace {
// Closing again while the question is on screen must not ask a second time.
class PonownieZamyka : public host::DialogProvider {
public:
    QWidget* okno = nullptr;
    int pytania = 0;
    bool drugie_zamkniecie = false;
    int infoBox(const QString&, int, QWidget*) override {
        ++pytania;
        if (pytania == 1) drugie_zamkniecie = okno->close();
        return host::IDCANCEL;
    }
    bool inputBox(const QString&, QWidget*, QString&, int) override { return false; }
};
} // namespace

TEST_F(ModuleTest, CloseQueryNotAskedTwiceWhileOnScreen) {
    auto d = std::make_shared<PonownieZamyka>();
    host::InstallDialogs(d);
    QWidget* w = gospodarz->otworz(dodaj_tarcze());
    d->okno = w;
    gospodarz->usuwaj_na_zamkniecie = false;
    kontrolka<QPushButton>(w, "zap1")->setEnabled(true);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(d->pytania, 1);
}

TEST_F(ModuleTest, KwirVariantHidesInfringements) {
    QWidget* zwykle = gospodarz->otworz(dodaj_tarcze());
    auto* strony = kontrolka<QTabWidget>(zwykle, "PageControl");
    EXPECT_TRUE(strony->isTabVisible(strony->indexOf(kontrolka<QWidget>(zwykle, "zak_kontroli"))));

    host::SetZm(QStringLiteral("tryb_kwir"), QStringLiteral("ALL"), true);
    QWidget* w = gospodarz->otworz(dodaj_tarcze());
    strony = kontrolka<QTabWidget>(w, "PageControl");
    EXPECT_FALSE(strony->isTabVisible(strony->indexOf(kontrolka<QWidget>(w, "zak_kontroli"))));
    EXPECT_TRUE(strony->isTabVisible(strony->indexOf(kontrolka<QWidget>(w, "tsKWIR"))));
    for (const char* n :
         {"Label_nar2", "Label12", "lista_bledow", "BlueButton_nar", "BlueButton_bledy"})
        EXPECT_TRUE(kontrolka<QWidget>(w, n)->isHidden()) << n;
    EXPECT_EQ(kontrolka<QWidget>(w, "adnotacje")->palette().color(QPalette::Base),
              QColor(0xF7, 0xF7, 0xFC));
}

TEST_F(ModuleTest, BrokenCalibrationFileNamesFileAndLine) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("ust_tacho.ini")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("r=727\nr1=abc\n");
    f.close();
    QLibrary* lib = gospodarz->zaladuj();
    host::SetExeFolder(dir.path());
    QWidget* w = gospodarz->fn<kx::CreateChild_fn>(lib, "_CreateChild")(nullptr, false, true, 0);
    EXPECT_EQ(w, nullptr);
    ASSERT_EQ(dialogi->shown.size(), 1);
    EXPECT_TRUE(dialogi->shown[0].contains(QStringLiteral("ust_tacho.ini")))
        << dialogi->shown[0].toStdString();
    EXPECT_TRUE(dialogi->shown[0].contains(QStringLiteral("line 2")))
        << dialogi->shown[0].toStdString();
    TestHost::dostarcz();
    EXPECT_TRUE(gospodarz->komunikaty.empty());
}
