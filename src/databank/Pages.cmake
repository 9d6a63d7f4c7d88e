# SPDX-License-Identifier: GPL-3.0-or-later
# The remedy page with its printout and list export, and the search page over both
# databanks. The printout composition needs no widgets.
target_sources(simillon_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RemedyPrintout.h ${CMAKE_CURRENT_LIST_DIR}/RemedyPrintout.cpp
)
target_sources(simillon_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RemedyPage.h ${CMAKE_CURRENT_LIST_DIR}/RemedyPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SearchPage.h ${CMAKE_CURRENT_LIST_DIR}/SearchPage.cpp
)
