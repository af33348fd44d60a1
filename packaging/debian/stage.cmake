# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# CPack runs this in its staging folder after installing the program and before building the
# Debian package from it (CPACK_PRE_BUILD_SCRIPTS in ../cpack.cmake). It strips the program
# as Debian's own packages are stripped, without the compiler's .comment and .note sections,
# and adds the package's documents to /usr/share/doc/qz-ostrel (make_doc.py): the copyright
# file made from the REUSE data, the changelog made from NEWS.md, NEWS.md and README.md; and
# lintian's overrides, each with its reason.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})

execute_process(COMMAND ${CPACK_OSTREL_STRIP} --remove-section=.comment --remove-section=.note
                        ${usr}/bin/${CPACK_PACKAGE_NAME}
                COMMAND_ERROR_IS_FATAL ANY)

execute_process(COMMAND ${CPACK_OSTREL_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/make_doc.py
                        ${CPACK_OSTREL_SOURCE_DIR} ${usr}/share/doc/${CPACK_PACKAGE_NAME}
                        ${CPACK_PACKAGE_VERSION} ${CPACK_DEBIAN_PACKAGE_RELEASE}
                        ${CPACK_PACKAGE_CONTACT}
                COMMAND_ERROR_IS_FATAL ANY)

set(overrides ${usr}/share/lintian/overrides)
file(MAKE_DIRECTORY ${overrides})
file(COPY_FILE ${CMAKE_CURRENT_LIST_DIR}/${CPACK_PACKAGE_NAME}.lintian-overrides
     ${overrides}/${CPACK_PACKAGE_NAME})
file(CHMOD ${overrides}/${CPACK_PACKAGE_NAME}
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
