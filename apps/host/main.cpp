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
#include <QTextStream>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    // The command line first: --help, --version and its errors need no display.
    QCoreApplication::setApplicationVersion(QStringLiteral(TACHO_VERSION));
    OpcjeHosta opcje;
    {
        QStringList argumenty;
        for (int i = 1; i < argc; ++i)
            argumenty << QString::fromLocal8Bit(argv[i]);
        QTextStream out(stdout), err(stderr);
        if (const auto koniec = parsujOpcjeHosta(argumenty, opcje, out, err)) return *koniec;
    }
    // Without a window system Qt would abort; say what is missing instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("tacho-host: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): start it "
                   "in a desktop session; ./scripts/demo.sh runs the command-line demo\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tacho-host"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tacho"));

    host::InstallDialogs(std::make_shared<OknaDialogowe>());
    try {
        const StanDanych stan = przygotujDane(opcje);
        if ((stan.bazaNowa || opcje.demo) && dodajTarczeDemo() > 0) dodajTarczeStanow();
        std::fprintf(stderr, "tacho-host: %s\n", qPrintable(stan.opisBazy));
    } catch (const BladDanych& e) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), e.opis());
        std::fprintf(stderr, "tacho-host: %s\n", qPrintable(e.opis()));
        return 1;
    } catch (const std::exception& e) { // the demo charts refused by the database
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(),
                              QString::fromUtf8(e.what()));
        std::fprintf(stderr, "tacho-host: %s\n", e.what());
        return 1;
    }
    auto okno = std::make_unique<OknoGlowne>();
    okno->show();
    const int wynik = QApplication::exec();
    okno.reset();
    host::InstallDialogs(nullptr);
    return wynik;
}
