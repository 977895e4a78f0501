#pragma once
// The host's dialog seam: message boxes, the question form and input boxes. In the program
// these are Qt dialogs; tests script the answers so that no test waits in a modal loop.

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace host {

// Windows message-box flags the module passes and the answers it reads.
constexpr int MB_OK = 0x00;
constexpr int MB_OKCANCEL = 0x01;
constexpr int MB_YESNOCANCEL = 0x03;
constexpr int MB_YESNO = 0x04;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    virtual int infoBox(const QString& text, int flags, QWidget* owner) = 0;
    // Returns false when cancelled; text holds the proposal on entry and the answer on exit.
    virtual bool inputBox(const QString& title, QWidget* owner, QString& text, int mode) = 0;
    // A form of the host (a record editor) run modally; true when accepted.
    virtual bool runForm(QDialog& form);
};

// Answers queued by a test, consumed in order; an unexpected dialog answers IDCANCEL / false
// and is recorded in unexpected, so that a test can assert which texts were shown.
class ScriptedDialogs : public DialogProvider {
public:
    void pushAnswer(int id) { answers_.push_back(id); }
    void pushInput(const QString& text, bool accepted = true);
    int infoBox(const QString& text, int flags, QWidget* owner) override;
    bool inputBox(const QString& title, QWidget* owner, QString& text, int mode) override;
    // A form gets the next queued filler, which sets its fields and answers accept (true) or
    // reject; the form's window title goes into shown. No filler: unexpected, rejected.
    void pushForm(std::function<bool(QDialog&)> filler) { forms_.push_back(std::move(filler)); }
    bool runForm(QDialog& form) override;

    QStringList shown;      // every text (and input title) shown, in order
    QStringList unexpected; // those that found no queued answer
    int lastFlags = -1;     // flags of the last message box
private:
    QList<int> answers_;
    QList<std::pair<QString, bool>> inputs_;
    QList<std::function<bool(QDialog&)>> forms_;
};

// Module-wide provider; the host installs the Qt one, tests a ScriptedDialogs. Until one is
// installed (and after InstallDialogs(nullptr)) a console provider logs each text and gives
// the answer that changes nothing: IDOK for MB_OK, IDNO for MB_YESNO, IDCANCEL for every
// box with a Cancel button; input boxes count as cancelled.
void InstallDialogs(std::shared_ptr<DialogProvider> provider);
DialogProvider& CurrentDialogs();

int InfoBox(const QString& text, int flags = MB_OK, QWidget* owner = nullptr);
// The text entered, or an empty text when the box was cancelled.
QString InputBox(const QString& title, QWidget* owner, const QString& text, int mode = 0);
void ShowMessage(const QString& text);
// Runs a host form through the current provider (the console provider rejects it).
bool RunForm(QDialog& form);

} // namespace host
