# The Debian package: the program folder in /usr/lib/quillvox, links to its
# three programs in /usr/bin, the menu entry, the icon, the software-centre
# metadata, the man pages and the documents Debian asks for. Built by
# scripts/package through CPack's DEB generator.
set(QVX_APP_ID com.velmora.quillvox)

# The newest changelog entry must be the version being packaged.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^quillvox \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog begins with \"${newest}\"; "
                      "add an entry for ${PROJECT_VERSION} first.")
endif()
set(stage ${CMAKE_BINARY_DIR}/debian)
file(MAKE_DIRECTORY ${stage}/bin)

# Relative links: the program follows them to its real folder (/proc/self/exe)
# and finds its companions there.
foreach(program quillvox quillvox-check speak43)
  file(CREATE_LINK ../lib/quillvox/${program} ${stage}/bin/${program} SYMBOLIC)
  install(FILES ${stage}/bin/${program} DESTINATION bin)
endforeach()

# Man pages and the changelog are compressed without a time stamp, so the
# same sources give the same package.
set(compressed)
foreach(page quillvox quillvox-check speak43)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/man/${page}.1.in ${stage}/${page}.1 @ONLY)
  list(APPEND compressed ${stage}/${page}.1.gz)
  add_custom_command(
    OUTPUT ${stage}/${page}.1.gz
    COMMAND gzip -9n -c ${stage}/${page}.1 > ${stage}/${page}.1.gz
    DEPENDS ${stage}/${page}.1
    VERBATIM)
  install(FILES ${stage}/${page}.1.gz DESTINATION share/man/man1)
endforeach()
list(APPEND compressed ${stage}/changelog.gz)
add_custom_command(
  OUTPUT ${stage}/changelog.gz
  COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${stage}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
  VERBATIM)
add_custom_target(debian_documents ALL DEPENDS ${compressed})
install(FILES ${stage}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION share/doc/quillvox)

# The menu entry runs the program from the PATH and takes the themed icon.
set(EXEC quillvox)
set(ICON quillvox)
configure_file(${PROJECT_SOURCE_DIR}/data/quillvox.desktop.in ${stage}/${QVX_APP_ID}.desktop
               @ONLY)
install(FILES ${stage}/${QVX_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/quillvox.svg
        DESTINATION share/icons/hicolor/scalable/apps)
configure_file(${CMAKE_CURRENT_LIST_DIR}/${QVX_APP_ID}.metainfo.xml.in
               ${stage}/${QVX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${stage}/${QVX_APP_ID}.metainfo.xml DESTINATION share/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillvox)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmora <support@velmora.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.velmora.com/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard-driven editor for DECtalk speech scripts")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillvox writes, checks and repairs scripts for the DECtalk speech synthesizer:
voices, intonation, tones, dial tones, sound files and sung notes, each added
through menus and small dialogs or typed in. It is built to be driven from the
keyboard and read by a screen reader.
.
The package holds the editor, the command-line checker quillvox-check and the
speaking program speak43, which speaks scripts through espeak-ng.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# speak43 reads espeak-ng's voice variants from its data folder itself, a need
# the libraries' dependencies do not show.
set(CPACK_DEBIAN_PACKAGE_DEPENDS espeak-ng-data)
# Help > Read documentation and Visit the website open through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
