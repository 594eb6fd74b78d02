# The installed layout (cmake --install, and the Debian package CPack makes from it): the program
# in bin/, the content and the shipped config.xml in share/velmora/, where the program looks for
# them from its own location; a desktop entry, an icon in the hicolor theme and a man page.
# The game writes only into the player's XDG folders, never into share/velmora.

set(VELMORA_MANPAGE ${CMAKE_BINARY_DIR}/velmora.6.gz)
add_custom_command(OUTPUT ${VELMORA_MANPAGE}
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/velmora.6 > ${VELMORA_MANPAGE}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/velmora.6 VERBATIM)
add_custom_target(velmora_manpage DEPENDS ${VELMORA_MANPAGE})
add_dependencies(velmora velmora_manpage)

install(TARGETS velmora RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data DESTINATION share/velmora)
install(FILES ${CMAKE_SOURCE_DIR}/config.xml DESTINATION share/velmora)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velmora.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velmora.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${VELMORA_MANPAGE} DESTINATION share/man/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora developers")
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down stealth game where every noise is a sound wave")
set(CPACK_PACKAGE_DESCRIPTION "Sneak past guards who see with a view cone and hear the sound waves of\n\
your footsteps and your three sound guns. Four campaigns with medal times,\nkeyboard, mouse or game pad.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps works out the exact libraries (and versions) the program links; without it the
# package names Debian 12's runtime libraries of the game's dependencies.
find_program(VELMORA_SHLIBDEPS dpkg-shlibdeps)
if(VELMORA_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl1.2debian, libsdl-image1.2, libglew2.2, libgl1, libopenal1, \
libalut0, libogg0, libvorbis0a, libvorbisfile3, liblua5.1-0, libtinyxml2.6.2v5, libx11-6")
endif()
# Installing and packing take the program as built: the tests' own build packs it without first
# building every tool and benchmark of the tree.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  set(CPACK_STRIP_FILES ON)
endif()
include(CPack)
