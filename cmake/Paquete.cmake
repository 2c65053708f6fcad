# Debian package of the program (cpack -G DEB from the build folder).
#
# The program lives in /usr/lib/teskora-chk with everything it needs beside
# it. Its data folder, which the program expects under its own folder, is a
# link to /var/lib/teskora-chk: the package never ships anything inside it, so
# upgrading and removing the package leave the operators' tables alone.

# Installing (and so packaging) builds only what the package holds, not the
# tests: paquete/construye.sh builds the targets it needs first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(TESKORA_DIR_PROGRAMA lib/teskora-chk)
set(TESKORA_DIR_DATOS /var/lib/teskora-chk)
set(TESKORA_GRUPO teskora)

install(TARGETS teskora_chk RUNTIME DESTINATION ${TESKORA_DIR_PROGRAMA})
# The simulated reader libraries: stripped, and not executable, as shared
# libraries are installed.
foreach(t rd3lib_simulado mtxmlmcr_simulado VisionAPI_simulado)
  if(TARGET ${t})
    install(TARGETS ${t} LIBRARY DESTINATION ${TESKORA_DIR_PROGRAMA}
            PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
endforeach()
# Everything else the build puts beside the program (style, pictures, reader
# libraries, sample documents); the data folder's own pictures go to a
# template that the installation copies into the data folder when missing.
install(DIRECTORY ${TESKORA_INSTALACION}/ DESTINATION ${TESKORA_DIR_PROGRAMA}
        USE_SOURCE_PERMISSIONS
        PATTERN teskora_chk EXCLUDE
        PATTERN instala_acceso_visionx.sh EXCLUDE
        PATTERN 60-teskora-visionx.rules EXCLUDE
        PATTERN "*.so" EXCLUDE
        PATTERN RorireruDevarer EXCLUDE
        PATTERN debug.debug EXCLUDE
        PATTERN HHDebug.txt EXCLUDE)
# The Vision X reader's access rule and its installation script, run by the
# program through pkexec when the rule is not in /etc/udev/rules.d.
install(PROGRAMS ${CMAKE_SOURCE_DIR}/paquete/instala_acceso_visionx.sh
        DESTINATION ${TESKORA_DIR_PROGRAMA})
install(FILES ${CMAKE_SOURCE_DIR}/paquete/60-teskora-visionx.rules
        DESTINATION ${TESKORA_DIR_PROGRAMA})
install(DIRECTORY ${TESKORA_INSTALACION}/RorireruDevarer/Pub/
        DESTINATION share/teskora-chk/plantilla-datos/Pub)

set(TESKORA_PAQ ${CMAKE_BINARY_DIR}/paquete)
configure_file(${CMAKE_SOURCE_DIR}/paquete/teskora-chk.in ${TESKORA_PAQ}/teskora-chk @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/paquete/postinst.in ${TESKORA_PAQ}/postinst @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/paquete/postrm.in ${TESKORA_PAQ}/postrm @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/paquete/es.teskora.chk.metainfo.xml.in
               ${TESKORA_PAQ}/es.teskora.chk.metainfo.xml @ONLY)
file(CHMOD ${TESKORA_PAQ}/postinst ${TESKORA_PAQ}/postrm ${TESKORA_PAQ}/teskora-chk
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                      WORLD_READ WORLD_EXECUTE)
# The data folder as the program sees it.
file(CREATE_LINK ${TESKORA_DIR_DATOS} ${TESKORA_PAQ}/RorireruDevarer SYMBOLIC)
install(FILES ${TESKORA_PAQ}/RorireruDevarer DESTINATION ${TESKORA_DIR_PROGRAMA})

install(PROGRAMS ${TESKORA_PAQ}/teskora-chk DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/paquete/teskora-chk.desktop DESTINATION share/applications)
install(FILES ${TESKORA_PAQ}/es.teskora.chk.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/paquete/teskora-chk.png
        DESTINATION share/icons/hicolor/64x64/apps)
install(FILES ${CMAKE_SOURCE_DIR}/paquete/copyright DESTINATION share/doc/teskora-chk)
# Debian wants the change log compressed with maximum compression.
add_custom_command(OUTPUT ${TESKORA_PAQ}/changelog.gz
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/paquete/changelog > ${TESKORA_PAQ}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/paquete/changelog)
add_custom_command(OUTPUT ${TESKORA_PAQ}/teskora-chk.1.gz
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/paquete/teskora-chk.1 > ${TESKORA_PAQ}/teskora-chk.1.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/paquete/teskora-chk.1)
# What the package holds; paquete/construye.sh builds it before cpack.
add_custom_target(paquete_contenido ALL
  DEPENDS ${TESKORA_PAQ}/changelog.gz ${TESKORA_PAQ}/teskora-chk.1.gz)
add_dependencies(paquete_contenido teskora_chk)
# The simulated reader libraries and the sample documents, where built.
foreach(t rd3lib_simulado mtxmlmcr_simulado VisionAPI_simulado muestras_instalacion)
  if(TARGET ${t})
    add_dependencies(paquete_contenido ${t})
  endif()
endforeach()
install(FILES ${TESKORA_PAQ}/changelog.gz DESTINATION share/doc/teskora-chk)
install(FILES ${TESKORA_PAQ}/teskora-chk.1.gz DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME teskora-chk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Equipo de Teskora_CHK <soporte@teskora.es>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "presentación al banco de cheques y pagarés recibidos")
set(CPACK_PACKAGE_DESCRIPTION
    "Lee la banda CMC7 y las imágenes de cada documento con un lector de cheques,
guarda los cheques en una remesa de trabajo y emite la remesa como fichero de
presentación, carta, informe detallado y ZIP de imágenes, con un histórico
consultable de los cheques emitidos.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The image formats and the table engine are Qt plug-ins, loaded at run time,
# so the shared-library scan cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-image-formats-plugins, fonts-dejavu-core, adduser")
# pkexec installs the Vision X reader's access rule from the program; the
# database server's driver serves offices that keep their tables on one.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, pkexec, libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${TESKORA_PAQ}/postinst ${TESKORA_PAQ}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
