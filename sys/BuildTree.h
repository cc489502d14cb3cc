// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The folder the running program lies in: the application's where there is
// one, else the system's record of the running executable.
QString programFolder();

// The build folder of a program run from its build tree, where the programs,
// the tests and the benchmarks sit one folder below the build folder (the one
// holding CMakeCache.txt); empty for any other program folder, so an
// installed program never looks into a build tree.
QString buildFolderAbove(const QString &programFolder);
