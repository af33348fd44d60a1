// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "registry_store.h"

#include "wide_text.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace ostrel::win32 {
namespace {

// A store's key as the name of a registry value, UTF-8 as UTF-16, and back.
std::wstring valueName(std::string_view key)
{
    if (key.empty())
        return {};
    const auto bytes = static_cast<int>(key.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, key.data(), bytes, nullptr, 0);
    std::wstring name(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, key.data(), bytes, name.data(), length);
    return name;
}

std::string keyOf(std::wstring_view name)
{
    if (name.empty())
        return {};
    const auto units = static_cast<int>(name.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, name.data(), units, nullptr, 0, nullptr, nullptr);
    std::string key(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, name.data(), units, key.data(), length, nullptr, nullptr);
    return key;
}

// An open registry key, closed when it goes.
class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;
    ~OpenKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }

    HKEY *receive() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

struct Lengths {
    DWORD longestName = 0; // in characters, without the terminating null
    DWORD longestData = 0; // in bytes
};

std::optional<Lengths> lengthsOf(HKEY key)
{
    Lengths lengths;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &lengths.longestName, &lengths.longestData, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return lengths;
}

// One value of the key: its name, type and data as UTF-16 units.
struct Value {
    std::wstring name;
    DWORD type = REG_NONE;
    DWORD bytes = 0;
    std::wstring data;
};

enum class Read { value, end, fault };

// The value at `index`; the lengths grow when a value was written longer since they were
// asked for.
Read readValue(HKEY key, DWORD index, Lengths &lengths, Value &value)
{
    while (true) {
        value.name.assign(lengths.longestName + 1, L'\0');
        value.data.assign(lengths.longestData / sizeof(wchar_t) + 1, L'\0');
        auto nameLength = static_cast<DWORD>(value.name.size());
        value.bytes = static_cast<DWORD>(value.data.size() * sizeof(wchar_t));
        const LSTATUS status =
            RegEnumValueW(key, index, value.name.data(), &nameLength, nullptr, &value.type,
                          reinterpret_cast<BYTE *>(value.data.data()), &value.bytes);
        if (status == ERROR_NO_MORE_ITEMS)
            return Read::end;
        if (status == ERROR_MORE_DATA) {
            const auto grown = lengthsOf(key);
            if (!grown || (grown->longestName <= lengths.longestName &&
                           grown->longestData <= lengths.longestData))
                return Read::fault;
            lengths = *grown;
            continue;
        }
        if (status != ERROR_SUCCESS)
            return Read::fault;
        value.name.resize(nameLength);
        return Read::value;
    }
}

// The text of a string value: up to its first null, which ends it.
std::optional<std::u16string> textOf(const Value &value)
{
    if (value.type != REG_SZ || value.bytes % sizeof(wchar_t) != 0)
        return std::nullopt;
    const std::wstring_view units(value.data.data(), value.bytes / sizeof(wchar_t));
    return toU16(units.substr(0, units.find(L'\0')));
}

} // namespace

RegistryStore::RegistryStore(std::wstring key)
    : m_key(std::move(key))
{
}

std::optional<SettingsStore::Values> RegistryStore::load() const
{
    OpenKey key;
    const LSTATUS opened =
        RegOpenKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, KEY_QUERY_VALUE, key.receive());
    if (opened == ERROR_FILE_NOT_FOUND)
        return Values{};
    if (opened != ERROR_SUCCESS)
        return std::nullopt;
    auto lengths = lengthsOf(key.get());
    if (!lengths)
        return std::nullopt;
    Values values;
    Value value;
    for (DWORD index = 0;; ++index) {
        switch (readValue(key.get(), index, *lengths, value)) {
        case Read::end:
            return values;
        case Read::fault:
            return std::nullopt;
        case Read::value:
            break;
        }
        auto text = textOf(value);
        if (!text)
            return std::nullopt;
        values.insert_or_assign(keyOf(value.name), std::move(*text));
    }
}

bool RegistryStore::save(const Values &values)
{
    OpenKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.receive(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    bool written = true;
    std::vector<std::wstring> names;
    for (const auto &[name, text] : values) {
        const std::wstring data = toWide(text);
        names.push_back(valueName(name));
        // With its terminating null, as Windows' own programs write a string.
        const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        written =
            RegSetValueExW(key.get(), names.back().c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE *>(data.c_str()), bytes) == ERROR_SUCCESS &&
            written;
    }
    // What is stored is `values` and nothing else.
    auto lengths = lengthsOf(key.get());
    if (!lengths)
        return false;
    std::vector<std::wstring> others;
    Value value;
    for (DWORD index = 0;; ++index) {
        const Read read = readValue(key.get(), index, *lengths, value);
        if (read == Read::fault)
            return false;
        if (read == Read::end)
            break;
        // The registry tells the names of values apart without regard to case.
        const bool kept = std::any_of(names.begin(), names.end(), [&](const auto &name) {
            return CompareStringOrdinal(name.c_str(), -1, value.name.c_str(), -1, TRUE) ==
                   CSTR_EQUAL;
        });
        if (!kept)
            others.push_back(value.name);
    }
    for (const std::wstring &other : others)
        written = RegDeleteValueW(key.get(), other.c_str()) == ERROR_SUCCESS && written;
    return written;
}

} // namespace ostrel::win32
