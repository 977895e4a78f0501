#pragma once
// The host's dialog seam backed by Qt dialogs: message boxes with the Windows flags and
// answers the module uses, and input boxes.

#include "host/Dialogi.h"

class OknaDialogowe : public host::DialogProvider {
public:
    int infoBox(const QString& text, int flags, QWidget* owner) override;
    bool inputBox(const QString& title, QWidget* owner, QString& text, int mode) override;
};
