# Install layout and the Debian package. Included at the end of the top-level CMakeLists.txt,
# once src/ has defined the vantric-chat executable and data/ the icon sizes.
#
#   cmake --install <build> --prefix /usr/local      installs the program and its desktop files
#   cpack -G DEB --config <build>/CPackConfig.cmake  builds vantric-chat_<version>_<arch>.deb

include(GNUInstallDirs)

if(NOT TARGET vantric-chat)
    message(WARNING "Packaging: no vantric-chat target; install rules and package not set up")
    return()
endif()

set(VANTRIC_APP_ID example.kxvantric.VantricChat)
set(vantric_data_dir ${PROJECT_SOURCE_DIR}/data)
if(NOT VANTRIC_ICON_SIZES)
    set(VANTRIC_ICON_SIZES 16 32 48 64)
endif()

# The desktop finds the menu entry in applications/, the icon by name in the hicolor theme
# and the software-centre description in metainfo/, all under the prefix's share/.
install(TARGETS vantric-chat RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cpack's, or `cmake --install --strip`) also drops the compiler's version
# note, as Debian's own packages do; strip alone keeps it.
if(CMAKE_OBJCOPY)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vantric-chat\")
    endif()")
endif()
install(FILES ${vantric_data_dir}/${VANTRIC_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${vantric_data_dir}/${VANTRIC_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS VANTRIC_ICON_SIZES)
    install(FILES ${vantric_data_dir}/icons/vantric-chat-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME vantric-chat.png)
endforeach()
install(FILES ${vantric_data_dir}/icons/vantric-chat.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The DEB generator installs under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantric-chat)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KxVantric")
set(CPACK_PACKAGE_CONTACT "Vantric Chat maintainers <maintainers@kxvantric.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kxvantric.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop chat client for the chat gateway protocol")
# Debian wants the extended description in lines of at most 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Vantric Chat logs in to a chat service that speaks the plain-text chat gateway"
       "protocol and shows the channel talk, a separate log of whispers and the list"
       "of users in the channel. It sends chat lines, whispers and emotes, and the"
       "service's commands about a user or about the service.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps turns the linked libraries into versioned Depends. Qt loads its platform
# plugin at run time, so nothing links it; libqt6gui6 only recommends it, and without it the
# program cannot open a window on an install that skips recommended packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")

# The licence, the changelog and the manual page, where Debian wants them. The copyright file
# is machine-readable (DEP-5) and carries the text of LICENSE, indented as that format asks.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE vantric_license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" _ "${vantric_license}")
set(vantric_copyright "${CMAKE_MATCH_1}")
string(FIND "${vantric_license}" "Permission is hereby granted" vantric_license_start)
string(SUBSTRING "${vantric_license}" ${vantric_license_start} -1 vantric_license_text)
string(STRIP "${vantric_license_text}" vantric_license_text)
string(REPLACE "\n\n" "\n.\n" vantric_license_text "${vantric_license_text}")
string(REPLACE "\n" "\n " vantric_license_text " ${vantric_license_text}")
set(vantric_doc_dir ${PROJECT_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${vantric_doc_dir}/copyright @ONLY)

# gzip -9n stores neither the file name nor a time stamp: the same sources give the same bytes.
find_program(VANTRIC_GZIP gzip REQUIRED)
set(vantric_compressed)
foreach(source IN ITEMS packaging/changelog vantric-chat.1)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${vantric_doc_dir}/${name}.gz
        COMMAND sh -c "\"$1\" -9n -c \"$2\" >\"$3\"" gzip ${VANTRIC_GZIP}
                ${PROJECT_SOURCE_DIR}/${source} ${vantric_doc_dir}/${name}.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/${source}
        COMMENT "Compressing ${name}" VERBATIM)
    list(APPEND vantric_compressed ${vantric_doc_dir}/${name}.gz)
endforeach()
add_custom_target(vantric_docs ALL DEPENDS ${vantric_compressed})

install(FILES ${vantric_doc_dir}/copyright ${vantric_doc_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${vantric_doc_dir}/vantric-chat.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# `make package_source`: the tracked tree, without git data and build folders.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "^${PROJECT_SOURCE_DIR}/build[^/]*/")

include(CPack)
