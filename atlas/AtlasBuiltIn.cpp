// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atlas/Atlas.h"

#include <cstdint>

// The index built from the GeoNames tables at build time, linked in as it
// is: nothing is read or copied when the atlas opens, and the system maps
// in only the pages a search touches.
extern "C" const char quorvelAtlasIndex[];
extern "C" const char quorvelAtlasIndexEnd[];
asm(".section .rodata.quorvel_atlas_index,\"a\"\n"
    ".balign 16\n"
    ".globl quorvelAtlasIndex\n"
    ".hidden quorvelAtlasIndex\n"
    "quorvelAtlasIndex:\n"
    ".incbin \"" QUORVEL_ATLAS_INDEX "\"\n"
    ".globl quorvelAtlasIndexEnd\n"
    ".hidden quorvelAtlasIndexEnd\n"
    "quorvelAtlasIndexEnd:\n"
    ".previous\n");

const Atlas &Atlas::builtIn()
{
    static const Atlas atlas(
        QByteArray::fromRawData(quorvelAtlasIndex, qsizetype(reinterpret_cast<std::uintptr_t>(quorvelAtlasIndexEnd) -
                                                             reinterpret_cast<std::uintptr_t>(quorvelAtlasIndex))));
    return atlas;
}
