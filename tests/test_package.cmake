# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What installing Quorvel puts on a machine.
#
# Included from tests/CMakeLists.txt, it registers the checks: the desktop
# entry and the AppStream metainfo against the desktop's own validators (when
# they are installed), and the file tree `cmake --install` makes. Run as a
# script (cmake -P) it is that installed-tree check. The Debian package itself
# is built and checked by tools/package.sh, not here: a package build
# compiles everything again and would take CI minutes.

set(quorvel_app_id example.quorvel.Quorvel)
set(quorvel_mime_type application/x-quorvel-reading)
set(quorvel_mime_icon application-x-quorvel-reading)
set(quorvel_icon_sizes 16 22 24 32 48 64 128 256)

if(NOT CMAKE_SCRIPT_MODE_FILE)
  set(desktop_dir ${PROJECT_SOURCE_DIR}/app/desktop)

  find_program(QUORVEL_DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(QUORVEL_DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop_entry_valid
             COMMAND ${QUORVEL_DESKTOP_FILE_VALIDATE} ${desktop_dir}/${quorvel_app_id}.desktop)
    # The validator reports hints on success; only errors make it fail.
    set_tests_properties(desktop_entry_valid PROPERTIES FAIL_REGULAR_EXPRESSION "error:")
  endif()

  find_program(QUORVEL_APPSTREAMCLI appstreamcli)
  if(QUORVEL_APPSTREAMCLI)
    # Fails on errors and warnings, also the pedantic ones a software centre
    # may act on; infos (such as the web pages' http addresses) are fine.
    add_test(NAME metainfo_valid
             COMMAND ${QUORVEL_APPSTREAMCLI} validate --pedantic --no-net
                     ${desktop_dir}/${quorvel_app_id}.metainfo.xml)
  endif()

  set(check_arguments
      -DBUILD_DIR=${CMAKE_BINARY_DIR}
      -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
      -DBINDIR=${CMAKE_INSTALL_BINDIR}
      -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
      -DDATADIR=${CMAKE_INSTALL_DATADIR})
  add_test(NAME package_installed_files
           COMMAND ${CMAKE_COMMAND} ${check_arguments}
                   -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/package/install -P ${CMAKE_CURRENT_LIST_FILE})
  return()
endif()

# --- script mode ---

set(problems "")
macro(problem text)
  string(APPEND problems "  ${text}\n")
endmacro()

# The width and height a PNG file's header gives.
function(png_size file out_width out_height)
  file(READ ${file} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    set(${out_width} -1 PARENT_SCOPE)
    set(${out_height} -1 PARENT_SCOPE)
    return()
  endif()
  string(SUBSTRING "${header}" 32 8 width_hex)
  string(SUBSTRING "${header}" 40 8 height_hex)
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  set(${out_width} ${width} PARENT_SCOPE)
  set(${out_height} ${height} PARENT_SCOPE)
endfunction()

function(is_elf file out)
  file(READ ${file} magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# The value of `key` in the [Desktop Entry] group of a desktop file.
function(desktop_value file key out)
  file(STRINGS ${file} lines REGEX "^${key}=")
  list(GET lines 0 line)
  string(REGEX REPLACE "^${key}=" "" value "${line}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(root ${WORK_DIR}/root)
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()
set(prefix ${root}/usr)

# The programs and the plugin, hardened as every build makes them: relocations
# read-only and bound at start, stack protection, and the programs
# position-independent (readelf comes with the compiler's binutils).
find_program(READELF readelf)
find_program(OBJCOPY objcopy)
foreach(binary ${BINDIR}/Quorvel ${BINDIR}/quorvel-cli ${LIBDIR}/quorvel/plugins/quorvel_atlaswindow_plugin.so)
  if(NOT EXISTS ${prefix}/${binary})
    problem("missing ${binary}")
    continue()
  endif()
  is_elf(${prefix}/${binary} elf)
  if(NOT elf)
    problem("${binary} is not a program or library")
    continue()
  endif()
  if(NOT READELF)
    continue()
  endif()
  execute_process(COMMAND ${READELF} -W --dynamic --program-headers --dyn-syms ${prefix}/${binary}
                  OUTPUT_VARIABLE elf_info)
  if(NOT elf_info MATCHES "GNU_RELRO" OR NOT elf_info MATCHES "BIND_NOW")
    problem("${binary} is not linked with -z relro -z now")
  endif()
  if(NOT elf_info MATCHES "__stack_chk_fail")
    problem("${binary} has no stack protection")
  endif()
  if(binary MATCHES "^${BINDIR}/" AND NOT elf_info MATCHES "Flags:[^\n]* PIE")
    problem("${binary} is not a position-independent executable")
  endif()
  # Only a program run from its build tree looks for the plugin there: no
  # constant names the build folder, in UTF-8 or as a QString's UTF-16.
  if(OBJCOPY)
    execute_process(COMMAND ${OBJCOPY} -O binary --only-section=.rodata ${prefix}/${binary} ${WORK_DIR}/rodata)
    file(READ ${WORK_DIR}/rodata rodata HEX)
    string(HEX "${BUILD_DIR}/" utf8)
    string(REGEX REPLACE "(..)" "\\100" utf16 "${utf8}")
    string(FIND "${rodata}" "${utf8}" at_utf8)
    string(FIND "${rodata}" "${utf16}" at_utf16)
    if(NOT at_utf8 EQUAL -1 OR NOT at_utf16 EQUAL -1)
      problem("${binary} names the build folder ${BUILD_DIR}")
    endif()
  endif()
endforeach()
# Debian's own check, where it is installed: stack protection, stack clash
# protection and control flow protection among the rest (fortify aside,
# which builds without optimisation or with sanitizers leave out).
find_program(HARDENING_CHECK hardening-check)
if(HARDENING_CHECK)
  execute_process(COMMAND ${HARDENING_CHECK} --nofortify --quiet ${prefix}/${BINDIR}/Quorvel
                          ${prefix}/${BINDIR}/quorvel-cli ${prefix}/${LIBDIR}/quorvel/plugins/quorvel_atlaswindow_plugin.so
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    problem("hardening-check:\n${output}")
  endif()
endif()

# The atlas's index, installed once for quorvel-cli and the plugin: a file of
# the index's magic, not a copy inside either binary.
set(atlas_index ${prefix}/${DATADIR}/quorvel/atlas.idx)
if(NOT EXISTS ${atlas_index})
  problem("missing ${DATADIR}/quorvel/atlas.idx")
else()
  file(READ ${atlas_index} atlas_magic LIMIT 8 HEX)
  string(HEX "QVATLAS2" expected_magic)
  if(NOT atlas_magic STREQUAL expected_magic)
    problem("${DATADIR}/quorvel/atlas.idx is not an atlas index")
  endif()
  # A copy linked in would be one section at least as large as the index; a
  # whole binary may be larger (debug information, a sanitizer build).
  file(SIZE ${atlas_index} atlas_size)
  find_program(SECTION_SIZES size)
  foreach(binary ${BINDIR}/quorvel-cli ${LIBDIR}/quorvel/plugins/quorvel_atlaswindow_plugin.so)
    if(SECTION_SIZES AND EXISTS ${prefix}/${binary})
      execute_process(COMMAND ${SECTION_SIZES} -A -d ${prefix}/${binary} OUTPUT_VARIABLE sections)
      string(REGEX MATCHALL "\n[.][^ \n]* +[0-9]+" rows "${sections}")
      foreach(row ${rows})
        string(REGEX MATCH "[^ \n]+" section "${row}")
        string(REGEX MATCH "[0-9]+$" section_size "${row}")
        if(section_size GREATER_EQUAL atlas_size)
          problem("${binary}'s ${section} (${section_size} bytes) is as large as the atlas it should only read")
        endif()
      endforeach()
    endif()
  endforeach()
endif()

set(desktop_file ${prefix}/${DATADIR}/applications/${quorvel_app_id}.desktop)
set(metainfo_file ${prefix}/${DATADIR}/metainfo/${quorvel_app_id}.metainfo.xml)
set(mime_file ${prefix}/${DATADIR}/mime/packages/${quorvel_app_id}.xml)
foreach(file ${desktop_file} ${metainfo_file} ${mime_file}
             ${prefix}/${DATADIR}/man/man1/Quorvel.1 ${prefix}/${DATADIR}/man/man1/quorvel-cli.1
             ${prefix}/${DATADIR}/bash-completion/completions/quorvel-cli)
  if(NOT EXISTS ${file})
    string(REPLACE "${prefix}/" "" shown ${file})
    problem("missing ${shown}")
  endif()
endforeach()

# The program's icon, and the file type's under the name shared-mime-info
# derives from the type.
foreach(icon_name apps/${quorvel_app_id} mimetypes/${quorvel_mime_icon})
  if(NOT EXISTS ${prefix}/${DATADIR}/icons/hicolor/scalable/${icon_name}.svg)
    problem("missing the scalable icon ${icon_name}.svg")
  endif()
  foreach(size ${quorvel_icon_sizes})
    set(icon ${prefix}/${DATADIR}/icons/hicolor/${size}x${size}/${icon_name}.png)
    if(NOT EXISTS ${icon})
      problem("missing the ${size}x${size} icon ${icon_name}")
      continue()
    endif()
    png_size(${icon} width height)
    if(NOT width EQUAL size OR NOT height EQUAL size)
      problem("the ${size}x${size} icon ${icon_name} is ${width}x${height}")
    endif()
  endforeach()
endforeach()

# The desktop entry starts the installed program with the file it is given,
# names the installed icon and the file type the installed type file defines;
# the metainfo describes that entry and provides that type.
if(EXISTS ${desktop_file})
  desktop_value(${desktop_file} Exec exec)
  string(REGEX REPLACE " .*" "" program "${exec}")
  if(NOT EXISTS ${prefix}/${BINDIR}/${program})
    problem("Exec=${exec} names no installed program")
  endif()
  if(NOT exec MATCHES " %[fFuU]$")
    problem("Exec=${exec} passes no file to the program")
  endif()
  desktop_value(${desktop_file} Icon icon)
  if(NOT icon STREQUAL quorvel_app_id)
    problem("Icon=${icon} is not the installed icon ${quorvel_app_id}")
  endif()
  desktop_value(${desktop_file} MimeType mime_types)
  if(NOT mime_types MATCHES "(^|;)${quorvel_mime_type};")
    problem("MimeType=${mime_types} does not list ${quorvel_mime_type}")
  endif()
endif()
if(EXISTS ${mime_file})
  file(READ ${mime_file} mime)
  if(NOT mime MATCHES "<mime-type type=\"${quorvel_mime_type}\">"
     OR NOT mime MATCHES "<glob pattern=\"\\*\\.qvr\"/>")
    problem("the type file does not give ${quorvel_mime_type} to *.qvr")
  endif()
endif()
if(EXISTS ${metainfo_file})
  file(READ ${metainfo_file} metainfo)
  if(NOT metainfo MATCHES "<id>${quorvel_app_id}</id>")
    problem("the metainfo's id is not ${quorvel_app_id}")
  endif()
  if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${quorvel_app_id}.desktop</launchable>")
    problem("the metainfo does not launch ${quorvel_app_id}.desktop")
  endif()
  foreach(provided "<binary>Quorvel</binary>" "<binary>quorvel-cli</binary>"
                   "<mediatype>${quorvel_mime_type}</mediatype>")
    if(NOT metainfo MATCHES "${provided}")
      problem("the metainfo does not provide ${provided}")
    endif()
  endforeach()
endif()

# Every option quorvel-cli's usage names has its place in the manual page and
# the completion.
file(READ ${SOURCE_DIR}/cli/CliTexts.h cli_texts)
string(REGEX REPLACE ".*inline constexpr char usage\\[\\] =(.*)inline constexpr char help.*" "\\1" usage "${cli_texts}")
string(REGEX MATCHALL "--[a-z]+" options "${usage}")
list(REMOVE_DUPLICATES options)
file(READ ${SOURCE_DIR}/docs/man/quorvel-cli.1 manual)
string(REPLACE "\\-" "-" manual "${manual}")
file(READ ${SOURCE_DIR}/cli/quorvel-cli.bash completion)
foreach(option ${options})
  if(NOT manual MATCHES "\n\\.[A-Z]+ ${option}[ \n]")
    problem("the manual page quorvel-cli.1 has no entry for ${option}")
  endif()
  if(NOT completion MATCHES "[ ']${option}[ \n']")
    problem("the completion does not offer ${option}")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "The installed files are not right:\n${problems}")
endif()
message(STATUS "Installed files as expected under ${prefix}")
