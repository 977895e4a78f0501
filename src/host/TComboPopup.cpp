#include "host/TComboPopup.h"

#include "host/db/Query.h"

#include <QComboBox>
#include <QCompleter>
#include <QSignalBlocker>

namespace host {

void TComboPopup::InitComboSam(QComboBox* box, Query& q, const QString& kol_id,
                               const QString& kol_tekst, int id_f, bool pusty_wpis) {
    const QSignalBlocker cicho(box);
    box->clear();
    if (pusty_wpis) box->addItem(QString(), 0);
    q.open();
    for (; !q.Eof(); q.Next()) {
        const int firma = q.asInteger(QStringLiteral("id_f"));
        if (id_f > 0 && firma != id_f) continue;
        box->addItem(q.asString(kol_tekst), q.asInteger(kol_id));
        box->setItemData(box->count() - 1, firma, kRolaFirmy);
    }
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // The box's own model stays across refills, so one search pop-up serves them all.
    const QString wyszukiwanie = QStringLiteral("wyszukiwanie");
    if (!box->completer() || box->completer()->objectName() != wyszukiwanie) {
        auto* podpowiedz = new QCompleter(box->model(), box);
        podpowiedz->setObjectName(wyszukiwanie);
        podpowiedz->setCaseSensitivity(Qt::CaseInsensitive);
        podpowiedz->setFilterMode(Qt::MatchContains);
        podpowiedz->setCompletionMode(QCompleter::PopupCompletion);
        box->setCompleter(podpowiedz);
    }
    box->setCurrentIndex(-1);
}

int TComboPopup::Znajdz(const QComboBox* box, int id) {
    return box->findData(id);
}

int TComboPopup::WybraneId(const QComboBox* box) {
    return box->currentIndex() < 0 ? 0 : box->currentData().toInt();
}

} // namespace host
