// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fee_windows.h"

#include "table_rows.h"

#include <array>
#include <cstddef>

namespace ostrel::layout {
namespace {

// These windows were drawn in pixels at 96 dots per inch; the tables keep twips, as the main
// window's does.
constexpr Rect px(int left, int top, int width, int height)
{
    return {left * twipsPerPixel, top * twipsPerPixel, width * twipsPerPixel,
            height * twipsPerPixel};
}

constexpr Row caption(std::string_view id, std::string_view container, std::u16string_view text,
                      Rect place, int tab, Align align = Align::left)
{
    Row row = label(id, container, text, place, song(9), sys, white, tab);
    row.control.align = align;
    return row;
}

constexpr Row plainButton(std::string_view id, std::u16string_view text, Rect place, int tab,
                          Action action)
{
    return button(id, {}, text, place, song(9), tab, action);
}

// --- 费率设置 ---------------------------------------------------------------------------

constexpr Row choice(std::string_view id, std::u16string_view text, Rect place, int tab,
                     FeeModel model)
{
    Row row = control(id, Kind::radioButton, {}, text, place, song(9), sys, white, tab);
    row.control.action = Action{ChooseFeeModel{model}};
    return row;
}

// Return in a rate presses 确定, as in any settings window.
constexpr Row rate(std::string_view id, FeeEntry entry, Rect place, int tab)
{
    Row row = control(id, Kind::textBox, "itemisedRates", u"", place, song(9), sys, sys, tab);
    row.control.feeEntry = entry;
    row.control.enterAction = Action{AcceptSettings{}};
    return row;
}

constexpr Row waiver()
{
    Row row = control("waiveMinimum", Kind::checkBox, "itemisedRates", u"免五", px(266, 24, 56, 20),
                      song(9), sys, white, 5);
    row.control.action = Action{WaiveMinimum{}};
    return row;
}

constexpr std::array settingsRows{
    choice("perMilleModel", u"按千分比：用主窗口的“单向 印花税 + 手续费”", px(16, 10, 330, 20), 0,
           FeeModel::perMille),
    choice("itemisedModel", u"分项：按券商的收费项目分别计算", px(16, 34, 330, 20), 1,
           FeeModel::itemised),
    frame("itemisedRates", u" 分项费率 ", px(16, 62, 328, 122), song(9), navy, white, 2),
    caption("commissionLabel", "itemisedRates", u"佣金 万分之", px(12, 27, 82, 16), 3),
    rate("commissionRate", FeeEntry::commissionRate, px(100, 24, 56, 20), 3),
    caption("minimumLabel", "itemisedRates", u"最低", px(164, 27, 28, 16), 4),
    rate("minimumCommission", FeeEntry::minimumCommission, px(194, 24, 48, 20), 4),
    caption("yuanLabel", "itemisedRates", u"元", px(246, 27, 16, 16), 4),
    waiver(),
    caption("stampDutyLabel", "itemisedRates", u"印花税 万分之", px(12, 59, 82, 16), 6),
    rate("stampDutyRate", FeeEntry::stampDutyRate, px(100, 56, 56, 20), 6),
    caption("saleOnlyLabel", "itemisedRates", u"仅卖出", px(164, 59, 80, 16), 7),
    caption("transferFeeLabel", "itemisedRates", u"过户费 万分之", px(12, 91, 82, 16), 7),
    rate("transferFeeRate", FeeEntry::transferFeeRate, px(100, 88, 56, 20), 7),
    caption("bothTradesLabel", "itemisedRates", u"买卖双向", px(164, 91, 80, 16), 8),
    plainButton("settingsOk", u"确定", px(100, 196, 76, 28), 8, AcceptSettings{}),
    plainButton("settingsCancel", u"取消", px(184, 196, 76, 28), 9, CloseDialog{}),
    plainButton("settingsDefaults", u"恢复默认", px(268, 196, 76, 28), 10, RestoreDefaults{}),
};

constexpr std::array settingsAccessibleRows{
    AccessibleRow{"perMilleModel", u"按千分比计费",
                  u"买卖双方都按主窗口的“单向 印花税 + 手续费”千分比收费"},
    AccessibleRow{"itemisedModel", u"分项计费",
                  u"佣金（有最低收费）、只在卖出时收的印花税、买卖都收的过户费分别计算"},
    AccessibleRow{"commissionRate", u"佣金费率（万分之几）", u"买卖都收", "commissionLabel"},
    AccessibleRow{"minimumCommission", u"每笔最低佣金（元）", u"勾选免五时不收最低佣金",
                  "minimumLabel"},
    AccessibleRow{"waiveMinimum", u"免五", u"账户免收每笔 5 元最低佣金"},
    AccessibleRow{"stampDutyRate", u"印花税税率（万分之几）", u"只在卖出时收", "stampDutyLabel"},
    AccessibleRow{"transferFeeRate", u"过户费费率（万分之几）", u"买卖都收", "transferFeeLabel"},
    AccessibleRow{"settingsDefaults", u"恢复默认", u"把各项费率填回默认值，按确定后才保存"},
};

constexpr std::array settingsTable = linked(settingsRows, settingsAccessibleRows);

constexpr WindowLook settingsLook{
    u"费率设置", 360 * twipsPerPixel, 236 * twipsPerPixel, 0xFFFFFF, 0, 0};

// --- 计算明细 ---------------------------------------------------------------------------

constexpr int left = 16;     // the rows' captions
constexpr int firstTop = 40; // the sale's row; the heading stands above it
constexpr int rowPitch = 24;
constexpr int cellHeight = 16;
// Where each column of the trades' rows starts, and how wide it is; column 0 names the trade.
constexpr std::array<int, detailColumns> columnLeft{16, 80, 160, 232, 328, 392, 456};
constexpr std::array<int, detailColumns> columnWidth{60, 76, 68, 92, 60, 60, 64};

constexpr Rect cellPlace(int row, int column)
{
    const auto i = static_cast<std::size_t>(column);
    return px(columnLeft[i], firstTop + row * rowPitch, columnWidth[i], cellHeight);
}

// A figure of a trade's row, right-aligned under its heading.
constexpr Row tradeCell(std::string_view id, int row, int column)
{
    Row cell = caption(id, {}, u"", cellPlace(row, column), 20, Align::right);
    cell.control.detailCell = DetailCell{row, column};
    return cell;
}

constexpr Row heading(std::string_view id, std::u16string_view text, int column)
{
    const auto i = static_cast<std::size_t>(column);
    return caption(id, {}, text, px(columnLeft[i], 16, columnWidth[i], cellHeight), 20,
                   Align::right);
}

// The summary rows below the trades: a caption and its figure.
constexpr int summaryTop = firstTop + 2 * rowPitch + 8;
constexpr Row summaryCaption(std::string_view id, std::u16string_view text, int line, int x = left,
                             int width = 60)
{
    return caption(id, {}, text, px(x, summaryTop + line * rowPitch, width, cellHeight), 20);
}
// A summary figure ends under the trades' column `under`.
constexpr Row summaryCell(std::string_view id, int row, int column, int line, int x, int under)
{
    const auto end = static_cast<std::size_t>(under);
    const int width = columnLeft[end] + columnWidth[end] - x;
    Row cell = caption(id, {}, u"", px(x, summaryTop + line * rowPitch, width, cellHeight), 20,
                       Align::right);
    cell.control.detailCell = DetailCell{row, column};
    return cell;
}

constexpr int noteTop = summaryTop + 3 * rowPitch + 4;

constexpr Row detailNote()
{
    Row note = caption("detailNote", {}, u"", px(left, noteTop, 504, 34), 20);
    note.control.isFeeModelNote = true;
    note.control.foreground = navy;
    return note;
}

constexpr std::array detailRowsTable{
    heading("sharesHeading", u"股数", 1),
    heading("priceHeading", u"价格", 2),
    heading("amountHeading", u"金额", 3),
    heading("commissionHeading", u"佣金", 4),
    heading("stampDutyHeading", u"印花税", 5),
    heading("transferFeeHeading", u"过户费", 6),
    caption("saleRow", {}, u"卖出", cellPlace(0, 0), 20),
    tradeCell("saleShares", 0, 1),
    tradeCell("salePrice", 0, 2),
    tradeCell("saleAmount", 0, 3),
    tradeCell("saleCommission", 0, 4),
    tradeCell("saleStampDuty", 0, 5),
    tradeCell("saleTransferFee", 0, 6),
    caption("purchaseRow", {}, u"买入", cellPlace(1, 0), 20),
    tradeCell("purchaseShares", 1, 1),
    tradeCell("purchasePrice", 1, 2),
    tradeCell("purchaseAmount", 1, 3),
    tradeCell("purchaseCommission", 1, 4),
    tradeCell("purchaseStampDuty", 1, 5),
    tradeCell("purchaseTransferFee", 1, 6),
    summaryCaption("totalFeesLabel", u"合计费用", 0),
    summaryCell("totalFees", 2, 1, 0, 80, 2),
    summaryCaption("remainderLabel", u"余额", 1),
    summaryCell("remainder", 3, 1, 1, 80, 2),
    summaryCaption("costPriceLabel", u"成本价", 2),
    summaryCell("costPrice", 4, 1, 2, 80, 2),
    summaryCaption("breakEvenLabel", u"保本价", 2, 260, 40),
    summaryCell("breakEvenPrice", 4, 3, 2, 300, 4),
    detailNote(),
    plainButton("copyDetail", u"复制", px(344, 224, 84, 28), 0, CopyDetail{}),
    plainButton("closeDetail", u"关闭", px(436, 224, 84, 28), 1, CloseDialog{}),
};

constexpr std::array detailAccessibleRows{
    AccessibleRow{"detailNote", u"计费方式"},
    AccessibleRow{"copyDetail", u"复制明细",
                  u"把明细复制为纯文本，每行一项，各栏以制表符分隔，可粘贴到笔记或委托单"},
};

constexpr std::array detailTable = linked(detailRowsTable, detailAccessibleRows);

constexpr WindowLook detailLook{
    u"计算明细", 536 * twipsPerPixel, 264 * twipsPerPixel, 0xFFFFFF, 0, 0};

} // namespace

const WindowDescription &feeSettingsWindow()
{
    static const WindowDescription description(settingsLook, settingsTable);
    return description;
}

const WindowDescription &detailWindow()
{
    static const WindowDescription description(detailLook, detailTable);
    return description;
}

} // namespace ostrel::layout
