// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The one way the tests reach a screen's controls: by their object names.

#include <QObject>
#include <QString>

// The child of `parent` named `name`, followed by `index` for the numbered
// ones (lblResult0..6). Stops the test program when there is none: every
// later step would fail on it, less clearly.
template <class T>
T *widget(const QObject *parent, const QString &name, int index = -1)
{
    const QString fullName = index < 0 ? name : name + QString::number(index);
    T *found = parent->findChild<T *>(fullName);
    if (!found)
        qFatal("%s has no %s named %s", qPrintable(parent->objectName()), T::staticMetaObject.className(),
               qPrintable(fullName));
    return found;
}
