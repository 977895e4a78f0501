#pragma once
// The picture of one chart save. It is written and synced on a thread of its own while the
// save writes the rows, under a temporary name beside its final one (QSaveFile), and takes
// the final name only after the rows are committed; otherwise it is dropped with its
// temporary file.

#include "host/Bitmap32.h"

#include <QImage>
#include <QSaveFile>
#include <QString>

#include <memory>
#include <thread>

// A black-and-white picture (every pixel pure black or white) as a 1-bit image, which the
// BMP writer stores in a 32nd of the 32-bit size and which reads back the same; any other
// picture as it is.
QImage obraz_do_zapisu(const QImage& obraz);

class ObrazZapisu {
public:
    ObrazZapisu() = default;
    ~ObrazZapisu(); // waits for the writing; a picture not made final is dropped
    ObrazZapisu(const ObrazZapisu&) = delete;
    ObrazZapisu& operator=(const ObrazZapisu&) = delete;

    // Starts writing the picture for the final name sciezka. The picture must stay as it is
    // until zaczekaj().
    void zacznij(const host::Bitmap32& obraz, const QString& sciezka);
    // Waits for the writing. False when the picture could not be written and synced (nothing
    // of it is left then).
    bool zaczekaj();
    // Written and synced, waiting for its final name.
    bool oczekuje() const { return plik_ != nullptr && !watek_.joinable(); }
    // Gives it its final name; false when that failed (nothing of it is left then).
    bool przenies();
    // Drops it: the temporary file is removed.
    void porzuc();

private:
    std::unique_ptr<QSaveFile> plik_;
    std::thread watek_;
    bool zapisany_ = false; // set by the writing thread, read after the join
};
