// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <variant>

// The vocabulary the window and the calculator share: the entry fields, the keypad's keys
// and what a click on a control does.
namespace ostrel {

// The seven entry fields. The planned-shares field is hidden for the window's whole life,
// but its text still takes part in the checks and the resets.
enum class Field {
    oldPrice,
    sharesHeld,
    newPrice,
    plannedShares,
    feePerMille,
    balance,
    moneyToSpend
};

inline constexpr std::array allFields{Field::oldPrice,      Field::sharesHeld,  Field::newPrice,
                                      Field::plannedShares, Field::feePerMille, Field::balance,
                                      Field::moneyToSpend};
inline constexpr std::size_t fieldCount = allFields.size();

inline constexpr std::size_t indexOf(Field field)
{
    return static_cast<std::size_t>(field);
}

// The keys of the on-screen keypad, left to right: ten digits, the decimal point, backspace
// and the key that sets the field to 0.
enum class Key {
    digit0,
    digit1,
    digit2,
    digit3,
    digit4,
    digit5,
    digit6,
    digit7,
    digit8,
    digit9,
    point,
    backspace,
    clear
};

inline constexpr int keyCount = 13;

inline constexpr Key keyAt(int position)
{
    return static_cast<Key>(position);
}

// The groups of fields that the reset buttons set back.
enum class ResetGroup {
    all,      // every field back to its start-up text
    oldStock, // the old stock's price, and the smallest holding that passes the checks
    newStock, // the new stock's fields
};

// The two stocks of a transfer: the old one, part of which is sold, and the new one, bought.
enum class Stock { oldStock, newStock };

// The boards of the A-share market by how orders are sized. The Shanghai and Shenzhen main
// boards and ChiNext (创业板) trade in lots of 100 shares; an order on the STAR Market (科创板) is
// 200 shares or more, and on the Beijing Stock Exchange (北交所) 100 or more, in steps of one share
// above that.
enum class Board { main, star, bse };

inline constexpr std::array allBoards{Board::main, Board::star, Board::bse};

// How the fees of a trade are charged: one per-mille rate on both trades, as the window's own
// fee field gives it, or a broker's itemised schedule (commission with a minimum, stamp duty
// on the sale, transfer fee on both trades).
enum class FeeModel { perMille, itemised };

// The entry fields of the fee settings, each a rate in 万分之 (‱) but the minimum commission,
// in yuan.
enum class FeeEntry { commissionRate, minimumCommission, stampDutyRate, transferFeeRate };

inline constexpr std::array allFeeEntries{FeeEntry::commissionRate, FeeEntry::minimumCommission,
                                          FeeEntry::stampDutyRate, FeeEntry::transferFeeRate};

// An item of the calculation's detail, as the detail window shows it: the figures of the sale
// and of the purchase, the total fees, the remainder, and the new shares' cost and break-even
// prices.
enum class DetailItem {
    saleShares,
    salePrice,
    saleAmount,
    saleCommission,
    saleStampDuty,
    saleTransferFee,
    purchaseShares,
    purchasePrice,
    purchaseAmount,
    purchaseCommission,
    purchaseStampDuty,
    purchaseTransferFee,
    totalFees,
    remainder,
    costPrice,
    breakEvenPrice
};

// What a click on a control does.
struct NoAction {
    bool operator==(const NoAction &) const = default;
};
struct Calculate {
    bool operator==(const Calculate &) const = default;
};
struct Reset {
    ResetGroup group;
    bool operator==(const Reset &) const = default;
};
struct ShowInstructions {
    bool operator==(const ShowInstructions &) const = default;
};
struct PressKey {
    Key key;
    bool operator==(const PressKey &) const = default;
};
struct SelectField {
    Field field;
    bool operator==(const SelectField &) const = default;
};

// The main window's two additions: the fee settings and the detail of the last calculation,
// each a modal window of its own.
struct OpenFeeSettings {
    bool operator==(const OpenFeeSettings &) const = default;
};
struct ShowDetail {
    bool operator==(const ShowDetail &) const = default;
};
// In the fee settings: a choice of model (a radio button; the platform checks it), the box that
// waives the minimum commission (the platform ticks it), 确定, 恢复默认.
struct ChooseFeeModel {
    FeeModel model;
    bool operator==(const ChooseFeeModel &) const = default;
};
struct WaiveMinimum {
    bool operator==(const WaiveMinimum &) const = default;
};
struct AcceptSettings {
    bool operator==(const AcceptSettings &) const = default;
};
struct RestoreDefaults {
    bool operator==(const RestoreDefaults &) const = default;
};
// In the detail window: copies every row as plain text.
struct CopyDetail {
    bool operator==(const CopyDetail &) const = default;
};
// The drop-down of a stock's board: the user chose one of its items or finished typing into
// its edit part (a board's name or a stock's code).
struct ChooseBoard {
    Stock stock;
    bool operator==(const ChooseBoard &) const = default;
};
// Closes a modal window without doing anything else: 取消, 关闭, Escape or the title bar's
// close button.
struct CloseDialog {
    bool operator==(const CloseDialog &) const = default;
};

using Action = std::variant<NoAction, Calculate, Reset, ShowInstructions, PressKey, SelectField,
                            OpenFeeSettings, ShowDetail, ChooseFeeModel, WaiveMinimum,
                            AcceptSettings, RestoreDefaults, CopyDetail, CloseDialog, ChooseBoard>;

} // namespace ostrel
