#include "ui/WebSearchLoader.h"

#include "app/websearch/WebSearchInterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>

#include <exception>

QStringList webSearchPluginFolders()
{
    QStringList folders;
    const auto add = [&folders](const QString &folder) {
        const QString clean = QDir::cleanPath(folder);
        if (!clean.isEmpty() && !folders.contains(clean))
            folders.append(clean);
    };
    if (QCoreApplication::instance()) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        add(programFolder + QStringLiteral("/../plugins"));
#ifdef QUORVEL_PLUGIN_RELATIVE_DIR
        add(programFolder + u'/' + QStringLiteral(QUORVEL_PLUGIN_RELATIVE_DIR));
#endif
    }
#ifdef QUORVEL_PLUGIN_INSTALL_DIR
    add(QStringLiteral(QUORVEL_PLUGIN_INSTALL_DIR));
#endif
    return folders;
}

bool runWebSearchPlugin(const QString &query, const QString &site, const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo &file : files) {
            if (!QLibrary::isLibrary(file.fileName()))
                continue;
            // The metadata is read from the file without loading it, so a
            // library of another kind never runs any code here.
            QPluginLoader loader(file.absoluteFilePath());
            if (loader.metaData().value(QStringLiteral("IID")).toString()
                != QStringLiteral(QUORVEL_WEBSEARCH_IID))
                continue;
            auto *search = qobject_cast<WebSearchInterface *>(loader.instance());
            if (!search) {
                loader.unload();
                continue;
            }
            bool searched = true;
            try {
                search->Search(query, site);
            } catch (const std::exception &) {
                searched = false;
            } catch (...) {
                searched = false;
            }
            // Releasing the plugin deletes its instance: the next search gets a fresh one.
            loader.unload();
            return searched;
        }
    }
    return false;
}
