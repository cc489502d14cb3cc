// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sys/Result.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Why a file could not be written: the file error (ResourceError for a full
// disk) and the system's words for it.
struct FileWriteFailure {
    QFileDevice::FileError error = QFileDevice::NoError;
    QString reason;
};

// Writes `bytes` to `path` through a temporary beside it, renamed over it
// only once every byte is on disk, so an existing file stays whole until the
// new one is complete and no partial file is ever left (SIGXFSZ ignored
// meanwhile, names that are not UTF-8 handled). Done, or why not.
using FileWrite = Result<void, FileWriteFailure>;
FileWrite writeFileSafely(const QString &path, const QByteArray &bytes);
