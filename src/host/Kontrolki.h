#pragma once
// Small helpers of the host for the module's controls.

#include <QIcon>
#include <QString>

class QLineEdit;
class QWidget;

namespace host {

// The edit accepts digits only (typed or pasted).
void Pusc_tylko_cyfry(QLineEdit* edit);

// True when the control can take the focus now: visible, enabled, in an enabled window.
bool CzyCanFocus(const QWidget* w);

// Image index of a host image list as an icon. The list "ilKorvixSmallButtons" holds the
// padlocks of the chart status: 5 open, 14 closed; other lists and indexes give a null icon.
QIcon IkonaListy(const QString& lista, int indeks);

} // namespace host
