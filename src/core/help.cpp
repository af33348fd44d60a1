// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help.h"

namespace ostrel::core {

const std::u16string_view instructionsBody =
    u"说明：本计算软件用于在已持有一支久跌不涨的想减仓的旧股票时，想把减出来的仓位及余额用于购买另"
    u"一支"
    u"有兴趣的新股票，这里可以计算应该卖多少旧股票才能买到您感兴趣的新股票。必须为英文半角状态下的"
    u"数字。"
    u"填好后点计算，重置按钮会把所有数值还原到刚打开软件时的状态。希望本程序对您有用，"
    u"如有问题或建议，欢迎通过本软件的发布页面与开发团队联系，计算结果仅供参考。";

void showInstructions(Window &window)
{
    window.messageBox(instructionsTitle, instructionsBody);
}

} // namespace ostrel::core
