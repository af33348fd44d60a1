# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The package CPack builds from the installed files. scripts/package builds the Debian one
# from the release build; elsewhere CPack's own defaults apply.
set(CPACK_PACKAGE_NAME qz-ostrel)
set(CPACK_PACKAGE_VENDOR "QZ Ostrel team")
set(CPACK_PACKAGE_CONTACT "QZ Ostrel team <packages@qzostrel.net>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://qzostrel.net/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines as the package's description shows them: one paragraph, under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
"QZ Ostrel (转仓计算器) helps a private investor on China's A-share market move
part of a falling position into a new stock. From the old stock's price and the
shares held, the new stock's price, the stamp duty plus commission, the cash
balance and roughly how much to spend, it tells how many old shares to sell,
how many new shares that buys in whole lots of 100, and the money left after
both trades and their fees. Every amount is computed exactly.")
set(CPACK_STRIP_FILES ON)

if(ostrel_desktop_integration)
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
    set(CPACK_DEBIAN_PACKAGE_SECTION math)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The libraries the program links (Qt, GMP, the C++ runtime) come from dpkg-shlibdeps.
    # It cannot see what the program only asks for by name at run time: the Chinese faces
    # its captions fall back to (either Debian's Song and Hei faces, or Noto CJK, which has
    # both), and Qt's Chinese texts for its own buttons and menus, without which those would
    # be in English.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "fonts-arphic-uming | fonts-noto-cjk, fonts-wqy-zenhei | fonts-noto-cjk, qt6-translations-l10n")
    # What Debian's own packages hold beyond the installed files, added in CPack's staging
    # folder: the program stripped of the compiler's notes, the copyright file (from the
    # REUSE data, by `reuse`), the changelog and the documents (debian/stage.cmake).
    find_program(OSTREL_PYTHON python3)
    set(CPACK_OSTREL_SOURCE_DIR ${PROJECT_SOURCE_DIR})
    set(CPACK_OSTREL_STRIP ${CMAKE_STRIP})
    set(CPACK_OSTREL_PYTHON ${OSTREL_PYTHON})
    set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/debian/stage.cmake)
endif()

include(CPack)
