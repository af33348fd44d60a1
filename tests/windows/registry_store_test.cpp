// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The fee settings in Wine's registry: nothing stored while the key is missing; anything but
// a string value makes the store unreadable, and reading it, by the store or by a window
// starting on it, never writes; what is saved is read back as it was, and only it.
#include "main_window.h"
#include "registry_store.h"
#include "win32_backend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::test {
namespace {

constexpr std::wstring_view storeKey = L"Software\\QZ Ostrel\\ostrel-store-tests";

// A value as a hand-edited registry may hold it.
struct RawValue {
    DWORD type;
    std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> bytesOf(std::u16string_view text, bool terminated = true)
{
    const auto *first = reinterpret_cast<const std::uint8_t *>(text.data());
    std::vector<std::uint8_t> bytes(first, first + text.size() * sizeof(char16_t));
    if (terminated)
        bytes.insert(bytes.end(), sizeof(char16_t), 0);
    return bytes;
}

class RegistryStoreTest : public ::testing::Test {
protected:
    RegistryStoreTest()
        : m_key(play::freshSettings(storeKey))
    {
    }
    ~RegistryStoreTest() override { play::freshSettings(storeKey); }

    void write(const wchar_t *name, const RawValue &value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name, 0, value.type, value.bytes.data(),
                                 static_cast<DWORD>(value.bytes.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    RawValue read(const wchar_t *name) const
    {
        // As it is stored: RegGetValue would end a string with a null it lacks.
        constexpr DWORD room = 64;
        RawValue value{REG_NONE, std::vector<std::uint8_t>(room)};
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, KEY_QUERY_VALUE, &key) !=
            ERROR_SUCCESS)
            return {REG_NONE, {}};
        DWORD size = room;
        const LSTATUS status =
            RegQueryValueExW(key, name, nullptr, &value.type, value.bytes.data(), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS)
            return {REG_NONE, {}};
        value.bytes.resize(size);
        return value;
    }

    bool keyExists() const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    std::wstring m_key;
    win32::RegistryStore m_store{m_key};
};

TEST_F(RegistryStoreTest, AMissingKeyHoldsNothingAndStaysMissing)
{
    EXPECT_EQ(m_store.load(), SettingsStore::Values{});
    EXPECT_FALSE(keyExists());
}

TEST_F(RegistryStoreTest, WhatIsSavedIsReadBackAndNothingElse)
{
    const SettingsStore::Values first{{"feeModel", u"itemised"},
                                      {"commissionRate", u"2.5"},
                                      {"note", u"佣金 万分之二点五"},
                                      {"empty", u""}};
    ASSERT_TRUE(m_store.save(first));
    EXPECT_EQ(m_store.load(), first);
    EXPECT_EQ(read(L"commissionRate").type, static_cast<DWORD>(REG_SZ));

    // A value written by hand beside them, and one whose name differs only in case, go.
    write(L"stranger", {REG_SZ, bytesOf(u"x")});
    const SettingsStore::Values second{{"FeeModel", u"perMille"}, {"commissionRate", u"3"}};
    ASSERT_TRUE(m_store.save(second));
    const auto loaded = m_store.load();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), second.size());
    EXPECT_EQ(loaded->at("commissionRate"), u"3");
    EXPECT_EQ(read(L"feeModel").bytes, bytesOf(u"perMille"));
    EXPECT_EQ(read(L"stranger").type, static_cast<DWORD>(REG_NONE));
}

// What a value of each kind makes of the store: a string, with or without the null that
// ends it, is its text; anything else makes the store unreadable.
struct RawCase {
    std::string_view name;
    RawValue value;
    std::optional<std::u16string> text;
};

void PrintTo(const RawCase &given, std::ostream *out)
{
    *out << given.name;
}

class ReadsARawValue : public RegistryStoreTest, public ::testing::WithParamInterface<RawCase> {};

TEST_P(ReadsARawValue, AsTextOrNotAtAll)
{
    const RawCase &given = GetParam();
    write(L"commissionRate", {REG_SZ, bytesOf(u"2.5")});
    write(L"feeModel", given.value);
    const RawValue before = read(L"feeModel");
    const auto loaded = m_store.load();
    if (!given.text) {
        EXPECT_EQ(loaded, std::nullopt);
    } else {
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->at("feeModel"), *given.text);
        EXPECT_EQ(loaded->at("commissionRate"), u"2.5");
    }
    // Reading never writes.
    const RawValue after = read(L"feeModel");
    EXPECT_EQ(after.type, before.type);
    EXPECT_EQ(after.bytes, before.bytes);
    EXPECT_EQ(after.type, given.value.type);
}

std::vector<RawCase> rawCases()
{
    std::vector<RawCase> cases;
    const auto add = [&](std::string_view name, DWORD type, std::vector<std::uint8_t> bytes,
                         std::optional<std::u16string> text) {
        cases.push_back({name, {type, std::move(bytes)}, std::move(text)});
    };
    add("string", REG_SZ, bytesOf(u"itemised"), u"itemised");
    add("stringWithoutItsNull", REG_SZ, bytesOf(u"itemised", false), u"itemised");
    add("emptyString", REG_SZ, {}, u"");
    add("stringOfOddBytes", REG_SZ, {'a', 0, 'b'}, std::nullopt);
    add("number", REG_DWORD, {1, 0, 0, 0}, std::nullopt);
    add("expandableString", REG_EXPAND_SZ, bytesOf(u"%TEMP%"), std::nullopt);
    add("strings", REG_MULTI_SZ, bytesOf(std::u16string_view(u"a\0", 2)), std::nullopt);
    add("binary", REG_BINARY, {0xFF, 0xFE}, std::nullopt);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ReadsARawValue, ::testing::ValuesIn(rawCases()),
                         [](const ::testing::TestParamInfo<RawCase> &tested) {
                             return std::string(tested.param.name);
                         });

// A window that starts on a damaged store works with the default fees and leaves the store
// as it found it, until the user confirms new fees.
TEST_F(RegistryStoreTest, AWindowStartingOnADamagedStoreLeavesItAsItIs)
{
    const RawValue damaged{REG_DWORD, {1, 0, 0, 0}};
    write(L"feeModel", damaged);
    win32::initialiseCommonControls();
    win32::MainWindow window(GetModuleHandleW(nullptr), m_key);
    window.show(SW_SHOWNORMAL);
    win32::handlePendingMessages(window.handle());
    EXPECT_EQ(window.calculator().feeSettings(), core::FeeSettings{});
    EXPECT_EQ(read(L"feeModel").type, damaged.type);
    EXPECT_EQ(read(L"feeModel").bytes, damaged.bytes);
}

} // namespace
} // namespace ostrel::test
