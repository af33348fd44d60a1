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
    row.control.enterAction = Action{AcceptSettings{}};
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
    row.control.enterAction = Action{AcceptSettings{}};
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
                  "minimumLabel", u"已勾选免五，不收最低佣金，此项不使用"},
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

// The columns of the trades' rows, left to right; the first names the trade.
enum Column : std::size_t {
    sideColumn,
    sharesColumn,
    priceColumn,
    amountColumn,
    commissionColumn,
    stampDutyColumn,
    transferFeeColumn,
    columnCount
};
constexpr std::array<int, columnCount> columnLeft{16, 80, 160, 232, 328, 392, 456};
constexpr std::array<int, columnCount> columnWidth{60, 76, 68, 92, 60, 60, 64};

enum TradeRow { saleRow, purchaseRow };

constexpr Rect cellPlace(TradeRow row, Column column)
{
    return px(columnLeft[column], firstTop + row * rowPitch, columnWidth[column], cellHeight);
}

// A figure of a trade's row, right-aligned under its heading.
constexpr Row tradeCell(std::string_view id, TradeRow row, Column column, DetailItem item)
{
    Row cell = caption(id, {}, u"", cellPlace(row, column), 20, Align::right);
    cell.control.detailItem = item;
    cell.control.tablePart = TablePart::cell;
    return cell;
}

constexpr Row heading(std::string_view id, std::u16string_view text, Column column)
{
    Row header = caption(id, {}, text, px(columnLeft[column], 16, columnWidth[column], cellHeight),
                         20, Align::right);
    header.control.tablePart = TablePart::columnHeader;
    return header;
}

// The caption at the head of a trade's row.
constexpr Row rowHeading(std::string_view id, std::u16string_view text, TradeRow row)
{
    Row header = caption(id, {}, text, cellPlace(row, sideColumn), 20);
    header.control.tablePart = TablePart::rowHeader;
    return header;
}

// The summary rows below the trades: a caption and its figure.
constexpr int summaryTop = firstTop + 2 * rowPitch + 8;
constexpr Row summaryCaption(std::string_view id, std::u16string_view text, int line, int x = left,
                             int width = 60)
{
    return caption(id, {}, text, px(x, summaryTop + line * rowPitch, width, cellHeight), 20);
}
// A summary figure ends under the trades' column `under`.
constexpr Row summaryCell(std::string_view id, DetailItem item, int line, int x, Column under)
{
    const int width = columnLeft[under] + columnWidth[under] - x;
    Row cell = caption(id, {}, u"", px(x, summaryTop + line * rowPitch, width, cellHeight), 20,
                       Align::right);
    cell.control.detailItem = item;
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

using enum DetailItem;

constexpr std::array detailRowsTable{
    heading("sharesHeading", u"股数", sharesColumn),
    heading("priceHeading", u"价格", priceColumn),
    heading("amountHeading", u"金额", amountColumn),
    heading("commissionHeading", u"佣金", commissionColumn),
    heading("stampDutyHeading", u"印花税", stampDutyColumn),
    heading("transferFeeHeading", u"过户费", transferFeeColumn),
    rowHeading("saleRow", u"卖出", saleRow),
    tradeCell("saleShares", saleRow, sharesColumn, saleShares),
    tradeCell("salePrice", saleRow, priceColumn, salePrice),
    tradeCell("saleAmount", saleRow, amountColumn, saleAmount),
    tradeCell("saleCommission", saleRow, commissionColumn, saleCommission),
    tradeCell("saleStampDuty", saleRow, stampDutyColumn, saleStampDuty),
    tradeCell("saleTransferFee", saleRow, transferFeeColumn, saleTransferFee),
    rowHeading("purchaseRow", u"买入", purchaseRow),
    tradeCell("purchaseShares", purchaseRow, sharesColumn, purchaseShares),
    tradeCell("purchasePrice", purchaseRow, priceColumn, purchasePrice),
    tradeCell("purchaseAmount", purchaseRow, amountColumn, purchaseAmount),
    tradeCell("purchaseCommission", purchaseRow, commissionColumn, purchaseCommission),
    tradeCell("purchaseStampDuty", purchaseRow, stampDutyColumn, purchaseStampDuty),
    tradeCell("purchaseTransferFee", purchaseRow, transferFeeColumn, purchaseTransferFee),
    summaryCaption("totalFeesLabel", u"合计费用", 0),
    summaryCell("totalFees", totalFees, 0, 80, priceColumn),
    summaryCaption("remainderLabel", u"余额", 1),
    summaryCell("remainder", remainder, 1, 80, priceColumn),
    summaryCaption("costPriceLabel", u"成本价", 2),
    summaryCell("costPrice", costPrice, 2, 80, priceColumn),
    summaryCaption("breakEvenLabel", u"保本价", 2, 260, 40),
    summaryCell("breakEvenPrice", breakEvenPrice, 2, 300, commissionColumn),
    detailNote(),
    plainButton("copyDetail", u"复制", px(344, 224, 84, 28), 0, CopyDetail{}),
    plainButton("closeDetail", u"关闭", px(436, 224, 84, 28), 1, CloseDialog{}),
};

// A screen reader reads each figure by its row and column, as a table's cell, and then the
// figure itself, its description.
constexpr std::array detailAccessibleRows{
    AccessibleRow{"saleShares", u"卖出 股数"},
    AccessibleRow{"salePrice", u"卖出 价格"},
    AccessibleRow{"saleAmount", u"卖出 金额"},
    AccessibleRow{"saleCommission", u"卖出 佣金"},
    AccessibleRow{"saleStampDuty", u"卖出 印花税"},
    AccessibleRow{"saleTransferFee", u"卖出 过户费"},
    AccessibleRow{"purchaseShares", u"买入 股数"},
    AccessibleRow{"purchasePrice", u"买入 价格"},
    AccessibleRow{"purchaseAmount", u"买入 金额"},
    AccessibleRow{"purchaseCommission", u"买入 佣金"},
    AccessibleRow{"purchaseStampDuty", u"买入 印花税"},
    AccessibleRow{"purchaseTransferFee", u"买入 过户费"},
    AccessibleRow{"totalFees", u"合计费用"},
    AccessibleRow{"remainder", u"余额"},
    AccessibleRow{"costPrice", u"成本价"},
    AccessibleRow{"breakEvenPrice", u"保本价"},
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
