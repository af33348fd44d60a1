// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The ids of the resources every Windows program of QZ Ostrel carries
// (cmake/WindowsResources.cmake): the window code loads its icon by this id.
#pragma once

// The program's icon, every size from 16 to 256 pixels. The lowest id, so that Explorer,
// the taskbar and shortcuts show it for the program.
#define OSTREL_IDI_APP 1
