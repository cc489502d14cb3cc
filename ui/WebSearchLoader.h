// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <optional>

// The folders searched for the web search plugin: the build tree's (only
// for a program run from its build tree), the installed one relative to the
// executable (a moved installation), then the installed one. All absolute:
// never the current folder or QT_PLUGIN_PATH.
QStringList webSearchPluginFolders();

// Loads the web search plugin, by its own file name, from the first of
// `folders` that holds it, creates a fresh instance, runs its search and
// releases it. A folder or file that is not owned by the user or root, or
// that group or others can write, is passed over, and so is a relative
// folder or a symlinked file. Returns the search's result (the place
// chosen, or an empty QVariant) when a search ran, nothing when none did:
// then `whyNotRun` gets the message that says why (no plugin, the file or
// folder refused, a plugin that would not load), or stays empty when the
// search itself failed.
std::optional<QVariant> runWebSearchPlugin(const QString &query, const QString &site, const QVariantMap &birth,
                                           const QStringList &folders, QString *whyNotRun = nullptr);
