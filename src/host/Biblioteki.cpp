#include "host/Biblioteki.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace host {

namespace {

QString& exeFolderOverride() {
    static QString folder;
    return folder;
}

// The libraries loaded in this process, one QLibrary per file with a count of its handles.
// QLibrary does not count reliably by itself: unloading one instance can unmap a file another
// instance still has loaded. Every handle keeps the registry alive, so handles held by other
// statics may be released after this file's statics are gone.
class LoadedLibraries : public std::enable_shared_from_this<LoadedLibraries> {
public:
    std::shared_ptr<QLibrary> find(const QString& key);
    std::shared_ptr<QLibrary> load(const QString& key, const QString& path);

private:
    struct Entry {
        std::unique_ptr<QLibrary> library;
        int handles = 0;
    };
    std::shared_ptr<QLibrary> handle(const QString& path, Entry& e);
    void release(const QString& path);

    std::mutex mutex_;
    std::map<QString, Entry> byPath_;
    std::map<QString, QString> pathOf_; // executable folder + Windows name -> file
};

LoadedLibraries& loadedLibraries() {
    static const auto libraries = std::make_shared<LoadedLibraries>();
    return *libraries;
}

std::shared_ptr<QLibrary> LoadedLibraries::handle(const QString& path, Entry& e) {
    ++e.handles;
    return std::shared_ptr<QLibrary>(
        e.library.get(), [self = shared_from_this(), path](QLibrary*) { self->release(path); });
}

void LoadedLibraries::release(const QString& path) {
    std::lock_guard lock(mutex_);
    const auto it = byPath_.find(path);
    if (it == byPath_.end() || --it->second.handles > 0) return;
    it->second.library->unload();
    byPath_.erase(it);
}

std::shared_ptr<QLibrary> LoadedLibraries::find(const QString& key) {
    std::lock_guard lock(mutex_);
    const auto p = pathOf_.find(key);
    if (p == pathOf_.end()) return nullptr;
    const auto e = byPath_.find(p->second);
    if (e == byPath_.end()) return nullptr;
    return handle(p->second, e->second);
}

std::shared_ptr<QLibrary> LoadedLibraries::load(const QString& key, const QString& path) {
    std::lock_guard lock(mutex_);
    auto it = byPath_.find(path);
    if (it == byPath_.end()) {
        auto library = std::make_unique<QLibrary>(path);
        if (!library->load()) {
            qWarning("LoadLibrary_main: %s: %s", qPrintable(path),
                     qPrintable(library->errorString()));
            return nullptr;
        }
        it = byPath_.emplace(path, Entry{std::move(library), 0}).first;
    }
    pathOf_[key] = path;
    return handle(path, it->second);
}

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

std::shared_ptr<QLibrary> LoadLibrary_main(const QString& windowsName) {
    // While the library is loaded its name is not resolved on disk again.
    const QString key = ExeFolder() + QLatin1Char('\n') + windowsName;
    if (auto loaded = loadedLibraries().find(key)) return loaded;
    const QString path = MapLibraryPath(windowsName);
    if (!QFileInfo::exists(path)) {
        qInfo("LoadLibrary_main: %s not found (%s)", qPrintable(windowsName), qPrintable(path));
        return nullptr;
    }
    return loadedLibraries().load(key, path);
}

void ZwolnijPozniej(std::shared_ptr<QLibrary> uchwyt) {
    if (!uchwyt) return;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        // No event loop any more: the process is ending, the library stays until its exit.
        static std::vector<std::shared_ptr<QLibrary>> do_konca;
        do_konca.push_back(std::move(uchwyt));
        return;
    }
    QMetaObject::invokeMethod(
        app, [u = std::move(uchwyt)]() mutable { u.reset(); }, Qt::QueuedConnection);
}

} // namespace host
