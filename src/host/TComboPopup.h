#pragma once
// The host's searchable combo boxes: a box filled from a query, whose list the user narrows by
// typing any part of an item (a pop-up of the matching items).

#include <QString>

class QComboBox;

namespace host {

class Query;

class TComboPopup {
public:
    // Item data role holding the firm of an item (the id is under Qt::UserRole).
    static constexpr int kRolaFirmy = 0x0101;

    // Refills the box from the query, opened here with the parameters the caller set: one item
    // a row, the text from column kol_tekst, the id from kol_id and the firm from "id_f". With id_f
    // > 0 only rows of that firm are kept. With pusty_wpis the first item is an empty entry of id
    // 0. The box becomes editable with a completer that matches anywhere in the text,
    // case-insensitively; typing never adds an item. Signals of the box are blocked while it is
    // filled, and nothing is selected afterwards.
    static void InitComboSam(QComboBox* box, Query& q, const QString& kol_id,
                             const QString& kol_tekst, int id_f, bool pusty_wpis);

    // Index of the item with this id, -1 when absent.
    static int Znajdz(const QComboBox* box, int id);
    // Id of the selected item, 0 when none is selected.
    static int WybraneId(const QComboBox* box);
};

} // namespace host
