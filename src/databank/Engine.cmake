# SPDX-License-Identifier: GPL-3.0-or-later
# The databank engine: criteria and the "like" matcher, and the record cursor that
# loads one table of a databank file and walks it in key order. Widget-free.
target_sources(simillon_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Criterion.h ${CMAKE_CURRENT_LIST_DIR}/Criterion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LikePattern.h ${CMAKE_CURRENT_LIST_DIR}/LikePattern.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecordCursor.h ${CMAKE_CURRENT_LIST_DIR}/RecordCursor.cpp
)
