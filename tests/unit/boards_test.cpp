// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boards.h"
#include "transfer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

namespace {

using ostrel::Board;
using ostrel::Field;
using ostrel::core::boardNamedBy;
using ostrel::core::Boards;
using ostrel::core::FeeSettings;
using ostrel::core::FieldTexts;

struct NamedCase {
    std::u16string text;
    std::optional<Board> board;
};

class BoardNamedBy : public testing::TestWithParam<NamedCase> {};

TEST_P(BoardNamedBy, NameOrSixDigitCode)
{
    EXPECT_EQ(boardNamedBy(GetParam().text), GetParam().board);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BoardNamedBy,
    testing::Values(NamedCase{u"主板/创业板", Board::main}, NamedCase{u"科创板", Board::star},
                    NamedCase{u"北交所", Board::bse},
                    // Codes by their leading digits; ChiNext trades in lots as the main boards do.
                    NamedCase{u"600519", Board::main}, NamedCase{u"000001", Board::main},
                    NamedCase{u"300750", Board::main}, NamedCase{u"301001", Board::main},
                    NamedCase{u"688981", Board::star}, NamedCase{u"689009", Board::star},
                    NamedCase{u"687000", Board::main}, NamedCase{u"920001", Board::bse},
                    NamedCase{u"430047", Board::bse}, NamedCase{u"830799", Board::bse},
                    NamedCase{u"870199", Board::bse}, NamedCase{u"889999", Board::bse},
                    NamedCase{u"820000", Board::main}, NamedCase{u"921000", Board::main},
                    // Pasted with blanks around it, half- or full-width.
                    NamedCase{u" 688001 ", Board::star}, NamedCase{u"\u3000920001", Board::bse},
                    // Anything else names no board.
                    NamedCase{u"", std::nullopt}, NamedCase{u"68800", std::nullopt},
                    NamedCase{u"6880011", std::nullopt}, NamedCase{u"688 001", std::nullopt},
                    NamedCase{u"６８８００１", std::nullopt}, NamedCase{u"sh688001", std::nullopt},
                    NamedCase{u"主板", std::nullopt}, NamedCase{u"-68800", std::nullopt}));

FieldTexts textsOf(const char16_t *oldPrice, const char16_t *held, const char16_t *newPrice,
                   const char16_t *fee, const char16_t *balance, const char16_t *money)
{
    FieldTexts texts;
    texts[Field::oldPrice] = oldPrice;
    texts[Field::sharesHeld] = held;
    texts[Field::newPrice] = newPrice;
    texts[Field::plannedShares] = u"0";
    texts[Field::feePerMille] = fee;
    texts[Field::balance] = balance;
    texts[Field::moneyToSpend] = money;
    return texts;
}

ostrel::core::Inputs inputsOf(const FieldTexts &texts, const FeeSettings &settings)
{
    return std::get<ostrel::core::Inputs>(ostrel::core::checkedInputs(
        texts, settings.model == ostrel::FeeModel::perMille ? ostrel::core::FeeFieldChecks::run
                                                            : ostrel::core::FeeFieldChecks::skip));
}

ostrel::core::Transfer transferOn(const Boards &boards, const FieldTexts &texts,
                                  const FeeSettings &settings = {})
{
    const auto inputs = inputsOf(texts, settings);
    return ostrel::core::transferOf(inputs, *ostrel::core::scheduleOf(settings, inputs.feePerMille),
                                    boards);
}

struct LineCase {
    Board oldBoard, newBoard;
    FieldTexts texts;
    std::u16string line;
};

class BoardLine : public testing::TestWithParam<LineCase> {};

TEST_P(BoardLine, ResultLine)
{
    const LineCase &c = GetParam();
    EXPECT_EQ(ostrel::core::resultLine(transferOn({c.oldBoard, c.newBoard}, c.texts)), c.line);
}

// Worked by hand at 1 per mille: 3,000 yuan of new shares and 3 yuan of fees owed, each old
// share sold at 10 bringing 9.99.
INSTANTIATE_TEST_SUITE_P(
    PerMille, BoardLine,
    testing::Values(
        // The main board sells one lot beyond the shortfall, as it always has.
        LineCase{Board::main, Board::main, textsOf(u"10", u"1000", u"10", u"1", u"0", u"3000"),
                 u"请卖出400股旧股票，才能买到300股新股。转仓后还有余额993元。"},
        // STAR and Beijing sell the fewest shares that pay: 301 × 9.99 covers 3,003.
        LineCase{Board::star, Board::main, textsOf(u"10", u"1000", u"10", u"1", u"0", u"3000"),
                 u"请卖出301股旧股票，才能买到300股新股。转仓后还有余额3元。"},
        LineCase{Board::bse, Board::main, textsOf(u"10", u"1000", u"10", u"1", u"0", u"3000"),
                 u"请卖出301股旧股票，才能买到300股新股。转仓后还有余额3元。"},
        // A shortfall of 51 shares: STAR's least order is 200, Beijing's 100.
        LineCase{Board::star, Board::main, textsOf(u"10", u"1000", u"10", u"1", u"2500", u"3000"),
                 u"请卖出200股旧股票，才能买到300股新股。转仓后还有余额1495元。"},
        LineCase{Board::bse, Board::main, textsOf(u"10", u"1000", u"10", u"1", u"2500", u"3000"),
                 u"请卖出100股旧股票，才能买到300股新股。转仓后还有余额496元。"},
        // A STAR holding under 200 is sold whole or not at all.
        LineCase{Board::star, Board::main, textsOf(u"10", u"150", u"10", u"1", u"2500", u"3000"),
                 u"请卖出150股旧股票，才能买到300股新股。转仓后还有余额995元。"},
        LineCase{Board::star, Board::main, textsOf(u"10", u"150", u"10", u"1", u"3003", u"3000"),
                 u"请卖出0股旧股票，才能买到300股新股。转仓后还有余额0元。"},
        // More than the holding would pay: the whole holding.
        LineCase{Board::star, Board::main, textsOf(u"10", u"250", u"10", u"1", u"0", u"3000"),
                 u"请卖出250股旧股票，才能买到300股新股。转仓后还有余额-506元。"},
        // The purchase: 1,000 yuan buys 257 STAR shares at 3.89, and fewer than 200 none.
        LineCase{Board::main, Board::star, textsOf(u"10", u"1000", u"3.89", u"1", u"2000", u"1000"),
                 u"请卖出0股旧股票，才能买到257股新股。转仓后还有余额999元。"},
        LineCase{Board::main, Board::star, textsOf(u"10", u"1000", u"5.01", u"1", u"2000", u"1000"),
                 u"请卖出0股旧股票，才能买到0股新股。转仓后还有余额2000元。"},
        LineCase{Board::main, Board::bse, textsOf(u"10", u"1000", u"9.99", u"0", u"2000", u"1000"),
                 u"请卖出0股旧股票，才能买到100股新股。转仓后还有余额1001元。"},
        LineCase{Board::main, Board::bse, textsOf(u"10", u"1000", u"10.01", u"0", u"2000", u"1000"),
                 u"请卖出0股旧股票，才能买到0股新股。转仓后还有余额2000元。"},
        // Nothing bought on the main board reads as it always has.
        LineCase{Board::main, Board::main,
                 textsOf(u"10", u"1000", u"10.01", u"0", u"2000", u"1000"),
                 u"请卖出0股旧股票，才能买到000股新股。转仓后还有余额2000元。"}));

// The sale on a board with single-share steps, against every count a user could sell: the
// least valid order that leaves 0 or more, else the whole holding. In the itemised model what
// a sale leaves steps back now and then, so the search must not stop at the first count that
// fails nor take the last that pays.
TEST(BoardSale, LeastValidOrderThatPaysOrTheWholeHolding)
{
    FeeSettings itemisedFees;
    itemisedFees.model = ostrel::FeeModel::itemised;
    FeeSettings waivedFees = itemisedFees;
    waivedFees.minimumWaived = true;
    const FeeSettings perMille;
    const FeeSettings &itemised = itemisedFees;
    const FeeSettings &waived = waivedFees;
    for (const FeeSettings *settings : {&perMille, &itemised, &waived}) {
        for (const Board board : {Board::star, Board::bse}) {
            for (const char16_t *price : {u"2.47", u"4.56", u"57.89"}) {
                for (const char16_t *held : {u"150", u"199", u"200", u"201", u"480"}) {
                    for (const char16_t *balance : {u"0", u"-3", u"250", u"996.5"}) {
                        const FieldTexts texts =
                            textsOf(price, held, u"9.99", u"1", balance, u"1000");
                        const auto inputs = inputsOf(texts, *settings);
                        const auto schedule =
                            ostrel::core::scheduleOf(*settings, inputs.feePerMille);
                        const auto transfer =
                            ostrel::core::transferOf(inputs, *schedule, {board, Board::main});
                        const mpq_class before = inputs.balance - transfer.purchase.amount -
                                                 transfer.purchase.fees.total();
                        const auto left = [&](const mpz_class &sold) -> mpq_class {
                            const mpq_class amount = sold * inputs.oldPrice;
                            return before + amount -
                                   schedule->fees(amount, ostrel::core::Side::sale).total();
                        };
                        mpz_class expected = inputs.holding;
                        if (sgn(left(0)) >= 0) {
                            expected = 0;
                        } else {
                            const int least = board == Board::star ? 200 : 100;
                            for (mpz_class n = least; n <= inputs.holding; ++n) {
                                if (sgn(left(n)) >= 0) {
                                    expected = n;
                                    break;
                                }
                            }
                        }
                        ASSERT_EQ(transfer.sale.shares, expected)
                            << "board " << static_cast<int>(board) << ", price "
                            << std::string(price, price + std::char_traits<char16_t>::length(price))
                            << ", held " << inputs.holding << ", balance " << inputs.balance
                            << ", model " << static_cast<int>(settings->model);
                    }
                }
            }
        }
    }
}

} // namespace
