// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <optional>
#include <string>

namespace ostrel {

// Where the platform keeps a user's settings, as texts by key. The calculator alone decides
// what the texts mean and whether they are sound; a store only reads and writes them with the
// platform's own library.
class SettingsStore {
public:
    using Values = std::map<std::string, std::u16string, std::less<>>;

    virtual ~SettingsStore() = default;

    // Every stored value; empty when nothing has been stored yet, none when the store cannot
    // be read or is damaged beyond reading.
    virtual std::optional<Values> load() const = 0;
    // Replaces what is stored with `values`; false when they could not be written.
    virtual bool save(const Values &values) = 0;

protected:
    SettingsStore() = default;
    SettingsStore(const SettingsStore &) = default;
    SettingsStore &operator=(const SettingsStore &) = default;
};

} // namespace ostrel
