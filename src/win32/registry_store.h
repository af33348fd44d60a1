// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings_store.h"

#include <string>
#include <string_view>

namespace ostrel::win32 {

// The settings in the Windows registry, where Windows programs keep a user's settings: one
// string value (REG_SZ) per key under a key of HKEY_CURRENT_USER, which roams with the user's
// profile and needs no rights beyond the user's own.
class RegistryStore : public SettingsStore {
public:
    // The program's own key.
    static constexpr std::wstring_view programKey = L"Software\\QZ Ostrel\\QZ Ostrel";

    // The settings under HKEY_CURRENT_USER\`key`.
    explicit RegistryStore(std::wstring key = std::wstring(programKey));

    // Nothing stored yet while the key does not exist; none when it cannot be opened or holds
    // a value that is not a string, as a hand-edited registry may. Reading never writes.
    std::optional<Values> load() const override;
    // Writes every value and removes the key's other values.
    bool save(const Values &values) override;

    const std::wstring &key() const { return m_key; }

private:
    std::wstring m_key;
};

} // namespace ostrel::win32
