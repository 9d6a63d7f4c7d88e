# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings and sanitizers for every target of ours.
function(simillon_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers
        $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
    target_compile_definitions(${target} PRIVATE QT_NO_CONTEXTLESS_CONNECT
        QT_NO_CAST_FROM_BYTEARRAY)
    if(SIMILLON_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
            -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()
