# What installing Quorvel puts on a machine.
#
# Included from tests/CMakeLists.txt, it registers the checks: the desktop
# entry and the AppStream metainfo against the desktop's own validators (when
# they are installed), the installed file tree, and the Debian package built
# by CPack (when dpkg-dev is installed). Run as a script (cmake -P) it is
# that installed-tree or package check.

set(quorvel_app_id example.quorvel.Quorvel)
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
    # Fails on errors and warnings; infos (such as the web pages' http
    # addresses) are fine.
    add_test(NAME metainfo_valid
             COMMAND ${QUORVEL_APPSTREAMCLI} validate --no-net ${desktop_dir}/${quorvel_app_id}.metainfo.xml)
  endif()

  set(check_arguments
      -DBUILD_DIR=${CMAKE_BINARY_DIR}
      -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
      -DBINDIR=${CMAKE_INSTALL_BINDIR}
      -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
      -DDATADIR=${CMAKE_INSTALL_DATADIR})
  add_test(NAME package_installed_files
           COMMAND ${CMAKE_COMMAND} ${check_arguments} -DMODE=install
                   -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/package/install -P ${CMAKE_CURRENT_LIST_FILE})

  find_program(QUORVEL_DPKG_SHLIBDEPS dpkg-shlibdeps)
  find_program(QUORVEL_DPKG_DEB dpkg-deb)
  find_program(QUORVEL_FILE file)
  if(QUORVEL_DPKG_SHLIBDEPS AND QUORVEL_DPKG_DEB AND QUORVEL_FILE)
    add_test(NAME package_deb
             COMMAND ${CMAKE_COMMAND} ${check_arguments} -DMODE=deb
                     -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/package/deb -P ${CMAKE_CURRENT_LIST_FILE})
    # Compressing the package takes a while on a busy machine.
    set_tests_properties(package_deb PROPERTIES TIMEOUT 300)
  endif()
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

if(MODE STREQUAL "install")
  set(root ${WORK_DIR}/root)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
                          ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
  endif()
  set(prefix ${root}/usr)
else()
  # The package exactly as `cmake --build BUILD --target package` makes it.
  execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(GLOB packages ${WORK_DIR}/quorvel_*.deb)
  list(LENGTH packages package_count)
  if(NOT result EQUAL 0 OR NOT package_count EQUAL 1)
    message(FATAL_ERROR "cpack made no single quorvel_*.deb:\n${output}")
  endif()
  execute_process(COMMAND dpkg-deb -f ${packages} Package Depends Architecture
                  OUTPUT_VARIABLE control RESULT_VARIABLE result)
  # Libraries found by dpkg-shlibdeps, and the fonts the screens rely on.
  foreach(dependency "libqt6widgets6" "libqt6gui6" "libqt6core6" "libstdc[+][+]6" "libc6" "fonts-dejavu-core")
    if(NOT control MATCHES "Depends:[^\n]*${dependency}")
      problem("the package does not depend on ${dependency}")
    endif()
  endforeach()
  if(NOT control MATCHES "Package: quorvel\n")
    problem("the package is not named quorvel")
  endif()
  execute_process(COMMAND dpkg-deb -x ${packages} ${WORK_DIR}/root RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb could not unpack ${packages}")
  endif()
  set(prefix ${WORK_DIR}/root/usr)
  # Stripped: no debugging sections in what users install.
  execute_process(COMMAND file -L ${prefix}/${BINDIR}/Quorvel OUTPUT_VARIABLE kind)
  if(kind MATCHES "not stripped")
    problem("bin/Quorvel is not stripped")
  endif()
endif()

foreach(binary ${BINDIR}/Quorvel ${LIBDIR}/quorvel/plugins/quorvel_websearch.so)
  if(NOT EXISTS ${prefix}/${binary})
    problem("missing ${binary}")
  else()
    is_elf(${prefix}/${binary} elf)
    if(NOT elf)
      problem("${binary} is not a program or library")
    endif()
  endif()
endforeach()

set(desktop_file ${prefix}/${DATADIR}/applications/${quorvel_app_id}.desktop)
set(metainfo_file ${prefix}/${DATADIR}/metainfo/${quorvel_app_id}.metainfo.xml)
foreach(file ${desktop_file} ${metainfo_file} ${prefix}/${DATADIR}/icons/hicolor/scalable/apps/${quorvel_app_id}.svg)
  if(NOT EXISTS ${file})
    string(REPLACE "${prefix}/" "" shown ${file})
    problem("missing ${shown}")
  endif()
endforeach()

foreach(size ${quorvel_icon_sizes})
  set(icon ${prefix}/${DATADIR}/icons/hicolor/${size}x${size}/apps/${quorvel_app_id}.png)
  if(NOT EXISTS ${icon})
    problem("missing the ${size}x${size} icon")
    continue()
  endif()
  png_size(${icon} width height)
  if(NOT width EQUAL size OR NOT height EQUAL size)
    problem("the ${size}x${size} icon is ${width}x${height}")
  endif()
endforeach()

# The desktop entry starts the installed program and names the installed
# icon; the metainfo describes that entry.
if(EXISTS ${desktop_file})
  desktop_value(${desktop_file} Exec exec)
  string(REGEX REPLACE " .*" "" program "${exec}")
  if(NOT EXISTS ${prefix}/${BINDIR}/${program})
    problem("Exec=${exec} names no installed program")
  endif()
  desktop_value(${desktop_file} Icon icon)
  if(NOT icon STREQUAL quorvel_app_id)
    problem("Icon=${icon} is not the installed icon ${quorvel_app_id}")
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
  if(NOT metainfo MATCHES "<binary>Quorvel</binary>")
    problem("the metainfo does not provide the binary Quorvel")
  endif()
endif()

if(problems)
  message(FATAL_ERROR "The installed files are not right:\n${problems}")
endif()
message(STATUS "Installed files as expected under ${prefix}")
