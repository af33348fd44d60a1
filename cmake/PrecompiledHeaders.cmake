# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Most of a test build's time went into parsing the same library headers (the standard
# library's, GoogleTest's, Qt's) once for every source file. The targets that include them
# most parse them once, into a precompiled header; the Qt tests, built alike, share one.
# A precompiled header records the build folder in the objects' debugging information, so the
# release build, whose package must come out the same from any folder, goes without.
option(OSTREL_PRECOMPILE_HEADERS "Precompile the library headers most sources include" ON)

set(OSTREL_STD_HEADERS <algorithm> <array> <cstdint> <functional> <map> <memory> <optional>
                       <span> <string> <string_view> <utility> <variant> <vector>)
set(OSTREL_QT_HEADERS <QAbstractButton> <QAccessible> <QApplication> <QClipboard> <QComboBox>
                      <QKeyEvent> <QLabel> <QLineEdit> <QMenu> <QMessageBox> <QPushButton>
                      <QString> <QWidget> <QWindow>)

# ostrel_precompile(TARGET HEADER...): TARGET's sources see HEADERs parsed once.
function(ostrel_precompile target)
    if(OSTREL_PRECOMPILE_HEADERS)
        target_precompile_headers(${target} PRIVATE ${ARGN})
    endif()
endfunction()

# ostrel_precompile_like(TARGET OTHER): TARGET, built with OTHER's flags, takes OTHER's.
function(ostrel_precompile_like target other)
    if(OSTREL_PRECOMPILE_HEADERS)
        target_precompile_headers(${target} REUSE_FROM ${other})
    endif()
endfunction()
