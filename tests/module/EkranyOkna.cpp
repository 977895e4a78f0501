// Screenshots of the chart window: every tab in the opening modes preview (0), new chart (1)
// and disc cut from a sheet (5), with a generated chart in the views, into build/screens/;
// the new-chart mode once more in English (en_tryb1_*.png).
// Run by CTest (label screens) and by scripts/screens.sh; the pictures are for people to look
// at, so the program fails only when a picture cannot be made.

#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"
#include "chartgen/SampleCharts.h"
#include "chartwin/TMDIChild.h"
#include "chartwin/Trozladunek_form.h"
#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/Resstrings.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"
#include "host/db/DemoData.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString cel = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(cel);
    QTextStream err(stderr);

    host::InstallSettings(std::make_shared<host::Ustawienia>(QString()));
    host::InstallDialogs(std::make_shared<host::ScriptedDialogs>());
    host::ConnectionParams p;
    p.database = QStringLiteral(":memory:");
    auto baza = std::make_shared<host::Connection>(p);
    host::db::FillDemoData(*baza); // drivers and vehicles for the header's boxes
    host::InstallConnection(baza);

    QString blad;
    const auto kal = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    const auto geo = kal ? chartgen::ChartGeometry::from(*kal, &blad) : std::nullopt;
    const chartgen::ChartSpec wzor = chartgen::sampleCharts().front().spec;
    const auto tarcza = geo ? chartgen::drawChart(wzor, *geo, &blad) : std::nullopt;
    if (!tarcza) err << "no generated chart (" << blad << "); the views stay empty\n";

    int zapisane = 0;
    struct Wariant {
        int tryb;
        int jezyk;
        const char* przedrostek;
    };
    for (const auto& [tryb, jezyk, przedrostek] :
         {Wariant{kx::kTrybPodglad, host::kJezykPolski, ""},
          Wariant{kx::kTrybNowa, host::kJezykPolski, ""},
          Wariant{kx::kTrybZArkusza, host::kJezykPolski, ""},
          Wariant{kx::kTrybNowa, host::kJezykAngielski, "en_"}}) {
        host::SetLanguageId(jezyk);
        TMDIChild okno(nullptr, false);
        okno.resize(1460, 755);
        okno.setWindowTitle(QStringLiteral("Tarcza - tryb %1").arg(tryb));
        if (tarcza)
            for (ImgView32* v : {okno.Image2, okno.Image4, okno.Image1}) {
                v->Bitmap() = tarcza->image;
                v->Changed();
            }
        // The import's centre and angle: the show logic reads the chart.
        okno.srodek_x = float(wzor.centreX());
        okno.srodek_y = float(wzor.centreY());
        okno.kat24 = float(wzor.kat24);
        okno.tryb_otwarcia = tryb;
        okno.show();
        QCoreApplication::processEvents(); // lay the form out before the show logic fits the views
        okno.FormShow();
        okno.wypelnij_kierowcow(okno.data_tacho->date());
        okno.wypelnij_samochody();
        if (tryb != kx::kTrybPodglad && okno.kierowca->count() > 1) {
            // A user's first choices on a new chart: a driver (his usual vehicle follows) and
            // the odometer, so the header shows its check.
            okno.kierowca->setCurrentIndex(1);
            okno.kierowcaCloseUp();
            const int km = okno.suma_km->text().toInt();
            okno.ustaw_licznik(125300, 125300 + km);
        }
        // Special points on the disc view: a loading, a border crossing and an unloading.
        if (tryb == kx::kTrybNowa && okno.lista) {
            for (const auto& [typ, kat] : {std::pair{kZaladunek, 20.0},
                                           {kPrzejscieGraniczne, 110.0},
                                           {kRozladunek, 250.0}}) {
                rozladunek r;
                r.typ = typ;
                r.kat = okno.lista->kat_rozp + kat;
                okno.punkty_spec->dodaj(r);
            }
            okno.rysuj_tarcze();
        }
        for (int i = 0; i < okno.PageControl->count(); ++i) {
            if (!okno.PageControl->isTabVisible(i)) continue;
            okno.PageControl->setCurrentIndex(i);
            QCoreApplication::processEvents();
            const QString plik =
                QDir(cel).filePath(QStringLiteral("%1tryb%2_%3.png")
                                       .arg(QLatin1String(przedrostek))
                                       .arg(tryb)
                                       .arg(okno.PageControl->widget(i)->objectName()));
            if (!okno.grab().save(plik)) {
                err << "cannot write " << plik << "\n";
                return 1;
            }
            ++zapisane;
        }
        okno.hide();
    }
    for (const auto& [typ, nazwa] :
         {std::pair{kZaladunek, "punkt_zaladunek"}, {kPrzejscieGraniczne, "punkt_granica"}}) {
        host::SetLanguageId(host::kJezykPolski);
        Trozladunek_form f(nullptr, typ, host::TDateTime::encode(2024, 3, 12), 0.0, 120.0);
        f.FormShow();
        f.godz->setText(QStringLiteral("03:15"));
        const QString plik = QDir(cel).filePath(QLatin1String(nazwa) + QStringLiteral(".png"));
        if (!f.grab().save(plik)) {
            err << "cannot write " << plik << "\n";
            return 1;
        }
        ++zapisane;
    }
    QTextStream(stdout) << zapisane << " screenshots in " << QDir(cel).absolutePath() << "\n";
    host::InstallConnection(nullptr);
    return zapisane > 0 ? 0 : 1;
}
