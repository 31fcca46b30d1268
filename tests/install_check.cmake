# Installs the build into a fresh prefix and checks that a desktop finds the game there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}" RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f bin/tamsa share/applications/${ID}.desktop share/metainfo/${ID}.metainfo.xml share/man/man6/tamsa.6.gz
          share/icons/hicolor/48x48/apps/tamsa.png share/icons/hicolor/128x128/apps/tamsa.png
          share/icons/hicolor/256x256/apps/tamsa.png share/icons/hicolor/scalable/apps/tamsa.svg
          share/doc/tamsa/copyright)
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
# Fails unless the installed file holds every one of the given pieces of text.
function(expect_pieces file)
  file(READ "${PREFIX}/${file}" text)
  foreach(piece ${ARGN})
    string(FIND "${text}" "${piece}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${file} lacks ${piece}")
    endif()
  endforeach()
endfunction()
expect_pieces(share/applications/${ID}.desktop "Name=Tamsa" "Exec=tamsa" "Icon=tamsa" "Categories=Game\;CardGame\;")
execute_process(COMMAND file -b "${PREFIX}/share/icons/hicolor/48x48/apps/tamsa.png" OUTPUT_VARIABLE kind)
if(NOT kind MATCHES "PNG image data, 48 x 48")
  message(FATAL_ERROR "48 px icon is ${kind}")
endif()
# The metainfo names the launcher it describes; the manual page reads as a page of section 6.
expect_pieces(share/metainfo/${ID}.metainfo.xml "<id>${ID}</id>" "<launchable type=\"desktop-id\">${ID}.desktop</launchable>"
              "<project_license>GPL-3.0-or-later</project_license>")
execute_process(COMMAND gzip -dc "${PREFIX}/share/man/man6/tamsa.6.gz" OUTPUT_VARIABLE page)
if(NOT page MATCHES "^\\.TH TAMSA 6 " OR NOT page MATCHES "\\.SH KEYBOARD")
  message(FATAL_ERROR "manual page is not the page of tamsa(6)")
endif()
message(STATUS "installed into ${PREFIX}")
