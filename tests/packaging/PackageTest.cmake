# Installs the build into a staging tree, compares its files with the list the package must
# hold, runs the installed program from there (its tables tool, its PDF report, its manual
# beside it), then packs the tree with the project's own CPack settings and reads the package
# back with dpkg-deb.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -P PackageTest.cmake
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
set(stage "${WORK_DIR}/stage")
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${stage}/usr" --strip)

# Every file, and nothing else.
set(expected
  usr/bin/melvora
  usr/bin/melvora-start
  usr/bin/melvora-tables
  usr/share/applications/melvora.desktop
  usr/share/icons/hicolor/scalable/apps/melvora.svg
  usr/share/melvora/melvo95.html
  usr/share/metainfo/org.melvora.Melvora.metainfo.xml)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${stage}" "${stage}/*")
list(SORT installed)
if(NOT "${installed}" STREQUAL "${expected}")
  message(FATAL_ERROR "installed files:\n  ${installed}\nexpected:\n  ${expected}")
endif()

# The installed program works from its installation: a collection made by the installed tool,
# the song report written as a PDF by the installed program.
set(data "${WORK_DIR}/dados")
run("${stage}/usr/bin/melvora-tables" sample "${data}")
execute_process(COMMAND "${stage}/usr/bin/melvora" --report musica --pdf "${WORK_DIR}/musicas.pdf"
                WORKING_DIRECTORY "${data}" RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the installed melvora failed (${status}): ${err}")
endif()
file(READ "${WORK_DIR}/musicas.pdf" head LIMIT 5)
if(NOT head MATCHES "^%PDF-")
  message(FATAL_ERROR "the installed melvora wrote no PDF file")
endif()

find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  run("${APPSTREAMCLI}" validate --no-net "${stage}/usr/share/metainfo/org.melvora.Melvora.metainfo.xml")
endif()

# The package, packed from the staged tree with the build's CPack settings (so that the test
# does not rebuild anything), then read back.
if(NOT CMAKE_CPACK_COMMAND)
  set(CMAKE_CPACK_COMMAND cpack)
endif()
file(WRITE "${WORK_DIR}/CPackStaged.cmake" "
include(\"${BUILD_DIR}/CPackConfig.cmake\")
set(CPACK_INSTALL_CMAKE_PROJECTS \"\")
set(CPACK_INSTALLED_DIRECTORIES \"${stage};.\")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
")
run("${CMAKE_CPACK_COMMAND}" -G DEB --config "${WORK_DIR}/CPackStaged.cmake" -B "${WORK_DIR}/package")
file(GLOB debs "${WORK_DIR}/package/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} packages: ${debs}")
endif()
run(dpkg-deb --contents ${debs})
set(contents "${out}")
foreach(f IN LISTS expected)
  string(FIND "${contents}" " ./${f}\n" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package lacks ${f}:\n${contents}")
  endif()
endforeach()
run(dpkg-deb --field ${debs} Package Version Architecture Depends Section)
set(fields "${out}")
foreach(field IN ITEMS "Package: melvora\n" "Version: 2\\.7\n" "Section: sound\n"
                      "Depends:[^\n]*libqt6widgets6" "Depends:[^\n]*libqt6svg6"
                      "Depends:[^\n]*fonts-liberation2")
  if(NOT fields MATCHES "${field}")
    message(FATAL_ERROR "the package's fields lack ${field}:\n${fields}")
  endif()
endforeach()
message(STATUS "package ${debs}:\n${fields}")
