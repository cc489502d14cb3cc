// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Quoting moved to core/, where the program's own messages use it too.
#include "core/QuotedText.h"
