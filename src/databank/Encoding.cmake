# SPDX-License-Identifier: GPL-3.0-or-later
# The remedy text encoding, the position scrambling of the afflictions' name fields, the
# databank source format with the two table definitions, and the fixed name lists.
target_sources(simillon_core PRIVATE
    TextEncoding.h TextEncoding.cpp
    Scramble.h Scramble.cpp
    DatabankSource.h DatabankSource.cpp
    FixedLists.h FixedLists.cpp
)
