// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "registry_store.h"

#include "wide_text.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace ostrel::win32 {
namespace {

// The most UTF-8 bytes one UTF-16 unit takes.
constexpr std::size_t utf8BytesPerUnit = 3;
// Another copy of the program may write a value longer between asking the key for its longest
// value and reading it: the key is read again, this often at most.
constexpr int readTries = 3;

// A store's key as the name of a registry value, UTF-8 as UTF-16, and back.
std::wstring valueName(std::string_view key)
{
    std::wstring name(key.size(), L'\0');
    name.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, key.data(), static_cast<int>(key.size()), name.data(),
                            static_cast<int>(name.size()))));
    return name;
}

std::string keyOf(std::wstring_view name)
{
    std::string key(name.size() * utf8BytesPerUnit, '\0');
    key.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), key.data(),
                            static_cast<int>(key.size()), nullptr, nullptr)));
    return key;
}

// An open registry key, closed when it goes.
using OpenKey = std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>;

enum class Read { values, damaged, grown };

// Every value of the key into `values`: damaged when one is not a string, grown when one was
// written longer while the key was read.
Read readValues(HKEY key, SettingsStore::Values &values)
{
    DWORD longestName = 0; // in characters, without the terminating null
    DWORD longestData = 0; // in bytes
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return Read::damaged;
    std::wstring name(longestName + 1, L'\0');
    std::wstring data(longestData / sizeof(wchar_t) + 1, L'\0');
    for (DWORD index = 0;; ++index) {
        auto nameLength = static_cast<DWORD>(name.size());
        auto bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = REG_NONE;
        const LSTATUS status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                             reinterpret_cast<BYTE *>(data.data()), &bytes);
        if (status == ERROR_NO_MORE_ITEMS)
            return Read::values;
        if (status == ERROR_MORE_DATA)
            return Read::grown;
        if (status != ERROR_SUCCESS || type != REG_SZ || bytes % sizeof(wchar_t) != 0)
            return Read::damaged;
        // A string ends at its first null.
        const std::wstring_view text(data.data(), bytes / sizeof(wchar_t));
        values.insert_or_assign(keyOf({name.data(), nameLength}),
                                toU16(text.substr(0, text.find(L'\0'))));
    }
}

} // namespace

RegistryStore::RegistryStore(std::wstring key)
    : m_key(std::move(key))
{
}

std::optional<SettingsStore::Values> RegistryStore::load() const
{
    HKEY opened = nullptr;
    const LSTATUS status =
        RegOpenKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND)
        return Values{};
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    const OpenKey key(opened, RegCloseKey);
    for (int tries = 0; tries < readTries; ++tries) {
        Values values;
        switch (readValues(key.get(), values)) {
        case Read::values:
            return values;
        case Read::damaged:
            return std::nullopt;
        case Read::grown:
            break;
        }
    }
    return std::nullopt;
}

bool RegistryStore::save(const Values &values)
{
    bool written = true;
    for (const auto &[name, text] : values) {
        const std::wstring data = toWide(text);
        // With its terminating null, as Windows' own programs write a string.
        const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        written = RegSetKeyValueW(HKEY_CURRENT_USER, m_key.c_str(), valueName(name).c_str(), REG_SZ,
                                  data.c_str(), bytes) == ERROR_SUCCESS &&
                  written;
    }
    if (!written)
        return false;
    // What is stored is `values` and nothing else. The others go only once the new ones are
    // written, so that a save that fails loses none of the settings stored before it.
    const std::optional<Values> stored = load();
    if (!stored) // a value no program of ours wrote, and not one of these: the key starts anew
        return RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str()) == ERROR_SUCCESS &&
               (values.empty() || save(values));
    for (const auto &[name, text] : *stored) {
        // The registry tells the names of values apart without regard to case.
        const bool kept = std::any_of(values.begin(), values.end(), [&](const auto &value) {
            return CompareStringOrdinal(valueName(value.first).c_str(), -1, valueName(name).c_str(),
                                        -1, TRUE) == CSTR_EQUAL;
        });
        if (!kept)
            written = RegDeleteKeyValueW(HKEY_CURRENT_USER, m_key.c_str(),
                                         valueName(name).c_str()) == ERROR_SUCCESS &&
                      written;
    }
    return written;
}

} // namespace ostrel::win32
