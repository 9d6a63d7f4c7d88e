# SPDX-License-Identifier: GPL-3.0-or-later
# The data control: navigation bar and bound text boxes over one record cursor.
target_sources(simillon_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DataControl.h ${CMAKE_CURRENT_LIST_DIR}/DataControl.cpp
)
