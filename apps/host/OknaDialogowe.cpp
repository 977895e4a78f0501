#include "OknaDialogowe.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

int OknaDialogowe::infoBox(const QString& text, int flags, QWidget* owner) {
    QMessageBox box(owner ? owner : QApplication::activeWindow());
    box.setText(text);
    box.setWindowTitle(QApplication::applicationDisplayName());
    switch (flags & 0xF0) {
    case host::MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case host::MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    case 0x30:
        box.setIcon(QMessageBox::Warning);
        break;
    case 0x10:
        box.setIcon(QMessageBox::Critical);
        break;
    default:
        break;
    }
    switch (flags & 0x0F) {
    case host::MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case host::MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case 0x01:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return host::IDYES;
    case QMessageBox::No:
        return host::IDNO;
    case QMessageBox::Ok:
        return host::IDOK;
    default:
        return host::IDCANCEL;
    }
}

bool OknaDialogowe::inputBox(const QString& title, QWidget* owner, QString& text, int) {
    bool ok = false;
    const QString answer = QInputDialog::getText(owner ? owner : QApplication::activeWindow(),
                                                 QApplication::applicationDisplayName(), title,
                                                 QLineEdit::Normal, text, &ok);
    if (ok) text = answer;
    return ok;
}
