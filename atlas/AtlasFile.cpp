// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atlas/Atlas.h"
#include "atlas/AtlasIndex.h"
#include "sys/BuildTree.h"

#include <QDir>

namespace {

// Where the index lies: in a build tree its build folder's; once installed
// the one beside the program (a moved installation), else the installed one.
QString indexPath()
{
    const QString program = programFolder();
    if (const QString build = buildFolderAbove(program); !build.isEmpty())
        return QDir(build).filePath(QStringLiteral(QUORVEL_ATLAS_BUILD_PATH));
    const QString beside = QDir::cleanPath(QDir(program).filePath(QStringLiteral(QUORVEL_ATLAS_RELATIVE_PATH)));
    return QFile::exists(beside) ? beside : QStringLiteral(QUORVEL_ATLAS_INSTALL_PATH);
}

QString problemOf(AtlasIndex::Fault fault, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (fault) {
    case AtlasIndex::Fault::None:
        break;
    case AtlasIndex::Fault::Truncated:
        return QStringLiteral("Quorvel's atlas %1 is cut short; reinstall Quorvel to look places up.").arg(name);
    case AtlasIndex::Fault::Foreign:
        return QStringLiteral("%1 is not an atlas of this Quorvel; reinstall Quorvel to look places up.").arg(name);
    }
    return {};
}

} // namespace

Atlas Atlas::fromFile(const QString &path)
{
    auto file = std::make_shared<QFile>(path);
    const bool opened = file->open(QIODevice::ReadOnly);
    // An empty file can't be mapped; it is as cut short as one that can.
    const qint64 size = opened ? file->size() : 0;
    const uchar *mapped = size > 0 ? file->map(0, size) : nullptr;
    Atlas none{QByteArray()};
    if (!opened || (size > 0 && !mapped)) {
        none.m_problem = QStringLiteral("Quorvel's atlas %1 cannot be read (%2); reinstall Quorvel to look places up.")
                             .arg(QDir::toNativeSeparators(path), file->errorString());
        return none;
    }
    const QByteArrayView bytes(reinterpret_cast<const char *>(mapped), mapped ? size : 0);
    if (const AtlasIndex::Fault fault = AtlasIndex::faultOf(bytes); fault != AtlasIndex::Fault::None) {
        none.m_problem = problemOf(fault, path);
        return none;
    }
    Atlas atlas(QByteArray::fromRawData(bytes.constData(), bytes.size()));
    atlas.m_file = std::move(file);
    return atlas;
}

const Atlas &Atlas::installed()
{
    static const Atlas atlas = fromFile(indexPath());
    return atlas;
}
