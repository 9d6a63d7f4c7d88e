# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DGENERATED_DIR=... -DPROGRAM_DIR=... -DSTATE_DIR=... -DFILES=a,b [-DRESET=ON] -P
#
# Copies each freshly built databank into the program folder when the folder has none
# yet, or when its file is still byte for byte the copy installed last time. A file that
# differs from that copy was changed in place (maintenance edits) and is kept; RESET
# replaces it anyway. STATE_DIR keeps a hash of each installed copy.
foreach(var GENERATED_DIR PROGRAM_DIR STATE_DIR FILES)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "InstallDatabanks.cmake needs -D${var}=...")
    endif()
endforeach()
file(MAKE_DIRECTORY "${STATE_DIR}")
# Commas part the names: a list would be split up on its way through the build tool.
string(REPLACE "," ";" FILES "${FILES}")

foreach(name IN LISTS FILES)
    set(fresh "${GENERATED_DIR}/${name}")
    set(target "${PROGRAM_DIR}/${name}")
    set(hash_file "${STATE_DIR}/${name}.sha256")
    if(NOT EXISTS "${fresh}")
        message(FATAL_ERROR "${fresh} has not been built")
    endif()
    file(SHA256 "${fresh}" fresh_hash)

    set(install OFF)
    if(RESET OR NOT EXISTS "${target}")
        set(install ON)
    else()
        file(SHA256 "${target}" target_hash)
        set(installed_hash "")
        if(EXISTS "${hash_file}")
            file(READ "${hash_file}" installed_hash)
            string(STRIP "${installed_hash}" installed_hash)
        endif()
        if(target_hash STREQUAL fresh_hash)
            # Already the fresh file; just remember it as installed.
            file(WRITE "${hash_file}" "${fresh_hash}\n")
        elseif(target_hash STREQUAL installed_hash)
            set(install ON)
        else()
            message(NOTICE
                "Notice: ${target} was changed in the program folder since it was "
                "installed (for example by maintenance edits) and is kept as it is. "
                "Build the target 'reset-databanks' to replace it with the databank built "
                "from content/databank.")
        endif()
    endif()

    if(install)
        # Copy beside the target, then rename: the program never sees a half copy.
        file(COPY_FILE "${fresh}" "${target}.installing")
        file(RENAME "${target}.installing" "${target}")
        file(WRITE "${hash_file}" "${fresh_hash}\n")
        message(STATUS "Installed ${target}")
    endif()
endforeach()
