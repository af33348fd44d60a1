// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings_store.h"

#include <string_view>

namespace ostrel::testing {

// A settings store in memory, which starts empty and can be made unreadable or unwritable.
class MemoryStore : public SettingsStore {
public:
    std::optional<Values> load() const override
    {
        if (!m_readable)
            return std::nullopt;
        return m_values;
    }
    bool save(const Values &values) override
    {
        if (!m_writable)
            return false;
        m_values = values;
        m_readable = true;
        return true;
    }

    const Values &values() const { return m_values; }
    void setText(std::string_view key, std::u16string_view text)
    {
        m_values.insert_or_assign(std::string(key), std::u16string(text));
    }
    void setReadable(bool readable) { m_readable = readable; }
    void setWritable(bool writable) { m_writable = writable; }

private:
    Values m_values;
    bool m_readable = true;
    bool m_writable = true;
};

} // namespace ostrel::testing
