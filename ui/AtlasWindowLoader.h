// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "places/ChosenPlace.h"
#include "sys/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

// The folders searched for the atlas window plugin: the build tree's (only
// for a program run from its build tree), the installed one relative to the
// executable (a moved installation), then the installed one. All absolute:
// never the current folder or QT_PLUGIN_PATH.
QStringList atlasWindowFolders();

// Loads the atlas window plugin, by its own file name, from the first of
// `folders` that holds it, creates a fresh instance, shows the places for
// `query` under the program's title and home page, and releases it. A
// folder or file that is not owned by the user or root, or that group or
// others can write, is passed over, and so is a relative folder or a
// symlinked file. The window ran (or failed itself) and the user chose a
// place or none; or no window ran, and the message says why (no plugin, the
// file or folder refused, a plugin that would not load).
using AtlasWindowRun = Result<std::optional<ChosenPlace>>;
AtlasWindowRun runAtlasWindow(const PlaceQuery &query, const QStringList &folders);

// The coordinates search through the desktop: the atlas window for the
// place as typed (empty parts too) at the query's moment; the place chosen
// there, or nothing.
std::optional<ChosenPlace> searchPlace(const PlaceQuery &query);
