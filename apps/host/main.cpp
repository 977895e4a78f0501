// tacho-host: the application a user starts. The chart list of the data folder's database and
// one window of the chart module per chart.

#include "DaneHosta.h"
#include "DemoTarcze.h"
#include "OknaDialogowe.h"
#include "OknoGlowne.h"
#include "OpcjeHosta.h"

#include "host/Dialogi.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tacho-host"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tacho"));

    OpcjeHosta opcje;
    QString blad, pomoc;
    if (!parsujOpcjeHosta(QApplication::arguments(), opcje, blad, &pomoc)) {
        std::fprintf(stderr, "tacho-host: %s\n", qPrintable(blad));
        return 2;
    }
    if (!pomoc.isEmpty()) {
        std::fputs(qPrintable(pomoc), stdout);
        return 0;
    }
    host::InstallDialogs(std::make_shared<OknaDialogowe>());
    try {
        const StanDanych stan = przygotujDane(opcje);
        if (stan.bazaNowa || opcje.demo) dodajTarczeDemo();
        std::fprintf(stderr, "tacho-host: %s\n", qPrintable(stan.opisBazy));
    } catch (const BladDanych& e) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), e.opis());
        std::fprintf(stderr, "tacho-host: %s\n", qPrintable(e.opis()));
        return 1;
    }
    auto okno = std::make_unique<OknoGlowne>();
    okno->show();
    const int wynik = QApplication::exec();
    okno.reset();
    host::InstallDialogs(nullptr);
    return wynik;
}
