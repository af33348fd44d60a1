# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The desktop entry and the AppStream data name what the build makes: the program, the icon
# and the data files by the application's id, and the build's version as the newest release,
# which is also the newest in the release notes (NEWS.md), of the same date.
# Usage: cmake -DDATA=DIR -DMETAINFO=FILE -DAPP_ID=ID -DPROGRAM=NAME -DVERSION=X.Y.Z
#            -DNEWS_VERSION=X.Y.Z -DRELEASE_DATE=YYYY-MM-DD -P agreement.cmake
set(failures)

if(NOT NEWS_VERSION STREQUAL VERSION)
    list(APPEND failures "NEWS.md's newest release is ${NEWS_VERSION}, not ${VERSION}")
endif()

file(READ ${DATA}/${APP_ID}.desktop desktop_entry)
macro(expect_entry key value)
    string(REGEX MATCH "\n${key}=[^\n]*" line "\n${desktop_entry}")
    string(REPLACE "\n${key}=" "" line "${line}")
    if(NOT line STREQUAL "${value}")
        list(APPEND failures "the desktop entry's ${key} is '${line}', not '${value}'")
    endif()
endmacro()
expect_entry(Exec ${PROGRAM})
expect_entry(Icon ${APP_ID})
expect_entry(StartupWMClass ${PROGRAM})

file(READ ${METAINFO} metainfo)
macro(expect_metainfo text)
    string(FIND "${metainfo}" "${text}" at)
    if(at EQUAL -1)
        list(APPEND failures "the AppStream data lacks ${text}")
    endif()
endmacro()
expect_metainfo("<id>${APP_ID}</id>")
expect_metainfo("<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
expect_metainfo("<binary>${PROGRAM}</binary>")
expect_metainfo("<project_license>GPL-3.0-or-later</project_license>")
# Releases are listed newest first.
string(REGEX MATCH "<release version=\"[^\"]*\" date=\"[^\"]*\"" newest "${metainfo}")
if(NOT newest STREQUAL "<release version=\"${VERSION}\" date=\"${RELEASE_DATE}\"")
    list(APPEND failures
         "the AppStream data's newest release is not ${VERSION} of ${RELEASE_DATE}: ${newest}")
endif()

if(failures)
    list(JOIN failures "\n" report)
    message(FATAL_ERROR "${report}")
endif()
