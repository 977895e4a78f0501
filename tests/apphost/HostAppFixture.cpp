#include "HostAppFixture.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/GreyRender.h"
#include "chartgen/SampleCharts.h"

#include "RysunekTestowy.h"
#include "SrodowiskoHosta.h"

#include <QCoreApplication>
#include <QFile>

void HostAppTest::SetUp() {
    dialogi = zainstalujSrodowiskoHosta();
    okno = std::make_unique<OknoGlowne>();
    okno->show();
}

void HostAppTest::TearDown() {
    okno.reset();
    dostarcz();
    usunSrodowiskoHosta();
}

void HostAppTest::dostarcz() {
    // A destructor's 0x7EF is posted while 0x491 is handled: it comes in the next round.
    for (int i = 0; i < 4; ++i)
        QCoreApplication::sendPostedEvents();
}

bool HostAppTest::modulZaladowany() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return false;
    return maps.readAll().contains("/dane/Korvix/libChild.so");
}

QString HostAppTest::tarczaBmp(const QString& nazwa) {
    QString blad;
    const auto rys = rysuj_tarcze(chartgen::sampleCharts().front().spec);
    const QString plik = katalog.filePath(nazwa);
    if (rys && !chartgen::saveMonoBmp(rys->image, plik, &blad)) ADD_FAILURE() << qPrintable(blad);
    return plik;
}

QString HostAppTest::arkuszDwochTarcz() {
    static QString plik; // drawn once per run: the sheet takes the longest to make
    static QTemporaryDir wspolny;
    if (!plik.isEmpty()) return plik;
    std::vector<host::Bitmap32> obrazy;
    std::vector<QPointF> srodki;
    QString blad;
    for (const chartgen::NamedChart& c : chartgen::a4SheetCharts()) {
        const auto rys = rysuj_tarcze(c.spec);
        if (!rys) return {};
        obrazy.push_back(rys->image);
        srodki.emplace_back(c.spec.centreX(), c.spec.centreY());
    }
    chartgen::GreyOptions o;
    o.dpi = 200;
    const auto strona = chartgen::renderA4Page(obrazy, srodki, o, &blad);
    if (!strona) {
        ADD_FAILURE() << qPrintable(blad);
        return {};
    }
    QImage obraz = strona->image;
    obraz.setDotsPerMeterX(qRound(200 / 0.0254));
    obraz.setDotsPerMeterY(qRound(200 / 0.0254));
    plik = wspolny.filePath(QStringLiteral("arkusz.png"));
    if (!obraz.save(plik)) ADD_FAILURE() << "sheet not written";
    return plik;
}

QString HostAppTest::plikTekstowy(const QString& nazwa) {
    const QString plik = katalog.filePath(nazwa);
    QFile f(plik);
    if (f.open(QIODevice::WriteOnly)) f.write("not a scan\n");
    return plik;
}
