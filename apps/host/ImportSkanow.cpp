#include "ImportSkanow.h"

#include "Teksty.h"

#include <QFileInfo>
#include <QProgressDialog>

#include <memory>

WynikImportu importujSkany(const QStringList& pliki, QWidget* parent,
                           const host::OpcjeImportu& opcje) {
    WynikImportu wynik;
    std::unique_ptr<QProgressDialog> postep;
    if (pliki.size() > 1) {
        postep = std::make_unique<QProgressDialog>(tekst("ImportPostep"), tekst("Przerwij"), 0,
                                                   int(pliki.size()), parent);
        postep->setObjectName(QStringLiteral("postep_importu"));
        postep->setWindowModality(Qt::WindowModal);
        postep->setMinimumDuration(0);
    }
    for (int i = 0; i < pliki.size(); ++i) {
        if (postep) {
            postep->setLabelText(tekst("ImportPlik").arg(QFileInfo(pliki[i]).fileName()));
            postep->setValue(i);
            if (postep->wasCanceled()) {
                wynik.przerwano = true;
                break;
            }
        }
        try {
            std::vector<host::TarczaZeSkanu> tarcze = host::WczytajSkan(pliki[i], opcje);
            const int ile = int(tarcze.size());
            for (int n = 0; n < ile; ++n)
                wynik.tarcze.push_back({pliki[i], n, ile, std::move(tarcze[n])});
        } catch (const host::BladImportu& e) {
            wynik.bledy << e.komunikat();
        } catch (const std::exception& e) {
            wynik.bledy << QStringLiteral("%1: %2").arg(pliki[i], QString::fromUtf8(e.what()));
        }
    }
    if (postep) postep->setValue(int(pliki.size()));
    return wynik;
}
