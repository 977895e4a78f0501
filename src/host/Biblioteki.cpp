#include "host/Biblioteki.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace host {

namespace {

QString& exeFolderOverride() {
    static QString folder;
    return folder;
}

// Unloads on destruction, which a plain QLibrary does not do.
class OwnedLibrary : public QLibrary {
public:
    using QLibrary::QLibrary;
    ~OwnedLibrary() override {
        if (isLoaded()) unload();
    }
};

// The entry of dir whose name equals name without regard to case, or name itself.
QString caseInsensitiveEntry(const QDir& dir, const QString& name) {
    if (dir.exists(name)) return name;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return e;
    return name;
}

// Walks the path below base component by component, fixing the case of each component that
// does not exist as spelt.
QString resolveCase(const QString& base, const QStringList& parts) {
    QDir dir(base);
    QString path = base;
    for (int i = 0; i < parts.size(); ++i) {
        const QString actual = caseInsensitiveEntry(dir, parts[i]);
        path = dir.filePath(actual);
        if (i + 1 < parts.size()) dir.setPath(path);
    }
    return path;
}

} // namespace

QString ExeFolder() {
    if (!exeFolderOverride().isEmpty()) return exeFolderOverride();
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void SetExeFolder(const QString& folder) {
    exeFolderOverride() = folder;
}

QString MapLibraryPath(const QString& windowsName) {
    QString name = windowsName.trimmed();
    // Only a local absolute path counts as absolute; "\dane\..." is still under the
    // executable's folder.
    const bool absolute = name.startsWith(QLatin1Char('/'));
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString base = ExeFolder();
    if (absolute) {
        const QString prefix = QDir::cleanPath(base) + QLatin1Char('/');
        if (QDir::cleanPath(name).startsWith(prefix)) {
            name = QDir::cleanPath(name).mid(prefix.size());
        } else {
            base = QStringLiteral("/");
            name = QDir::cleanPath(name).mid(1);
        }
    }
    QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) return QDir(base).filePath(QStringLiteral("lib.so"));
    QString& file = parts.last();
    if (file.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive)) file.chop(4);
    if (!file.endsWith(QLatin1String(".so")))
        file = QStringLiteral("lib") + file + QStringLiteral(".so");
    return resolveCase(base, parts);
}

std::unique_ptr<QLibrary> LoadLibrary_main(const QString& windowsName) {
    const QString path = MapLibraryPath(windowsName);
    if (!QFileInfo::exists(path)) {
        qInfo("LoadLibrary_main: %s not found (%s)", qPrintable(windowsName), qPrintable(path));
        return nullptr;
    }
    auto lib = std::make_unique<OwnedLibrary>(path);
    if (!lib->load()) {
        qWarning("LoadLibrary_main: %s: %s", qPrintable(path), qPrintable(lib->errorString()));
        return nullptr;
    }
    return lib;
}

} // namespace host
