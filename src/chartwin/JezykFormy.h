#pragma once
// Translating a form built with Polish captions, and Windows colour values on widgets.

#include "host/Bitmap32.h"

#include <QColor>
#include <QString>

class QWidget;

// Every control of the form whose caption the current language's table holds under
// "<form object name>.<control object name>" takes that caption (text, title, tab title,
// tool tip under ".<control>.hint"). Controls without an entry keep their caption.
void InitializeLanguage(const QString& modul, QWidget* forma);

// A Windows colour value (0x00BBGGRR) as a QColor.
QColor kolor_okna(host::TColor c);
