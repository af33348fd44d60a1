// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technology tells of the controls: every control has a name, the names a user
// moves between with Tab tell the controls apart, and the rows of the accessibility table
// belong to controls of the window (which the window's description checks as it compiles).
#include "accessibility.h"
#include "fee_windows.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace form = ostrel::layout;

template<typename Keep> std::vector<std::string> controlsWhere(Keep keep)
{
    std::vector<std::string> names;
    for (const form::Control &control : form::controls()) {
        if (keep(control))
            names.push_back(std::string(control.id));
    }
    return names;
}

// The hidden planned-shares field is nowhere a screen reader looks.
bool takesInputOrActs(const form::Control &control)
{
    return form::isInAccessibleTree(control) &&
           (control.kind == form::Kind::textBox || control.kind == form::Kind::button);
}

std::string testName(const testing::TestParamInfo<std::string> &info)
{
    std::string name;
    for (const char c : info.param)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

class EveryControl : public testing::TestWithParam<std::string> {};

TEST_P(EveryControl, HasANameWithoutPlacingBlanks)
{
    const std::u16string name = form::accessibleName(*form::findControl(GetParam()));
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(form::collapseBlanks(name), name);
}

INSTANTIATE_TEST_SUITE_P(Window, EveryControl,
                         testing::ValuesIn(controlsWhere([](const auto &) { return true; })),
                         testName);

// Labels and frames speak for themselves; a field needs its unit told, a button what it does.
class EveryFieldAndButton : public testing::TestWithParam<std::string> {};

TEST_P(EveryFieldAndButton, HasADescription)
{
    EXPECT_FALSE(form::accessibleDescription(*form::findControl(GetParam())).empty());
}

INSTANTIATE_TEST_SUITE_P(Window, EveryFieldAndButton,
                         testing::ValuesIn(controlsWhere(takesInputOrActs)), testName);

// A control's accessibility says something, or nothing at all: a description without a name
// of its own still leaves the caption as the name.
TEST(Accessibility, EveryLabelledControlHasANameOrDescriptionOfItsOwn)
{
    for (const form::Control &control : form::controls()) {
        if (control.accessible.labelledBy) {
            EXPECT_FALSE(control.accessible.name.empty()) << control.id;
        }
    }
}

// A screen reader user moves between these by Tab and knows them only by name: the two
// buttons captioned 重置 must not sound the same.
TEST(Accessibility, ControlsOnTheTabPathHaveDistinctNames)
{
    std::map<std::u16string, std::string> seen;
    for (const form::Control *control : form::tabOrder()) {
        const auto [at, added] =
            seen.emplace(form::accessibleName(*control), std::string(control->id));
        EXPECT_TRUE(added) << std::string(control->id) << " sounds like " << at->second;
    }
}

// A screen reader hears why a greyed field is there and that what it holds is kept; a field
// with nothing to say about that keeps its own description.
TEST(Accessibility, AGreyedFieldSaysWhyItIsNotUsed)
{
    const struct {
        ostrel::Field field;
        bool greyed;
        std::u16string_view description;
    } cases[] = {
        {ostrel::Field::feePerMille, true,
         u"分项计费时不使用；所填的值保留，改回按千分比计费时再用"},
        {ostrel::Field::feePerMille, false, u"必填，单位：‰，默认为 1"},
        {ostrel::Field::oldPrice, true, u"必填，单位：元"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(form::accessibleDescription(form::fieldControl(c.field), c.greyed), c.description)
            << form::fieldControl(c.field).id << (c.greyed ? " greyed" : "");
}

TEST(Accessibility, TheResultLineIsCalledTheResult)
{
    EXPECT_EQ(form::accessibleName(form::resultLine()), u"计算结果");
}

struct NamedCase {
    const char *control;
    std::u16string_view name;
};

class CaptionName : public testing::TestWithParam<NamedCase> {};

TEST_P(CaptionName, LabelsAndFramesAreNamedByTheirCaptions)
{
    EXPECT_EQ(form::accessibleName(*form::findControl(GetParam().control)), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionName,
                         testing::Values(NamedCase{"Frame1", u"要卖掉部分的旧股票(都要填写)"},
                                         NamedCase{"Frame2", u"要再买入些的新股票(第二项可不填)"},
                                         NamedCase{"L1", u"* 当前股价： * 持股总数："},
                                         NamedCase{"Label1", u"元 股"},
                                         NamedCase{"Label3", u"* 当前股价："},
                                         NamedCase{"yhs", u"* 单向 印花税 + 手续费："},
                                         NamedCase{"Label7", u"大概花多少钱在新股上 ："},
                                         NamedCase{"Label8", u"/千"}));

struct UnitCase {
    const char *field;
    std::u16string_view name;
    std::u16string_view unit;
};

class FieldUnit : public testing::TestWithParam<UnitCase> {};

// The unit stands beside a field as a separate caption, which a screen reader does not read
// out with the field; the field's own description says it.
TEST_P(FieldUnit, EntryFieldsAreNamedByTheirCaptionsAndTellTheirUnit)
{
    const form::Control &field = *form::findControl(GetParam().field);
    EXPECT_EQ(form::accessibleName(field), GetParam().name);
    EXPECT_NE(form::accessibleDescription(field).find(GetParam().unit), std::u16string_view::npos);
}

INSTANTIATE_TEST_SUITE_P(Fields, FieldUnit,
                         testing::Values(UnitCase{"oldprice", u"旧股票当前股价", u"元"},
                                         UnitCase{"buy6", u"旧股票持股总数", u"股"},
                                         UnitCase{"newprice", u"新股票当前股价", u"元"},
                                         UnitCase{"souxufei", u"单向印花税加手续费（千分之几）",
                                                  u"‰"},
                                         UnitCase{"savemoney", u"资金账户可用资金余额", u"元"},
                                         UnitCase{"buymoney", u"大概花多少钱在新股上", u"元"}));

// A screen reader tells which caption belongs to a field by the field's labelled-by relation:
// every shown field has one, to a shown label in its frame that stands level with the field,
// and the hidden field, not in the tree at all, has none.
TEST(Accessibility, EveryShownFieldIsLabelledByTheCaptionBesideIt)
{
    for (const form::Control &control : form::controls()) {
        if (control.kind != form::Kind::textBox)
            continue;
        const form::Control *label = form::labelledBy(control);
        EXPECT_EQ(form::isInAccessibleTree(control), control.visible) << control.id;
        if (!control.visible) {
            EXPECT_EQ(label, nullptr) << control.id;
            continue;
        }
        ASSERT_NE(label, nullptr) << control.id;
        EXPECT_EQ(label->kind, form::Kind::label) << control.id;
        EXPECT_TRUE(label->visible) << control.id;
        EXPECT_EQ(label->container, control.container) << control.id;
        const form::Rect field = form::clientPixels(control);
        const form::Rect caption = form::clientPixels(*label);
        EXPECT_LT(caption.left, field.left) << control.id << " has its caption on its right";
        EXPECT_LT(caption.top, field.top + field.height) << control.id;
        EXPECT_GT(caption.top + caption.height, field.top) << control.id;
        const auto labelled = form::labelFor(*label);
        EXPECT_NE(std::find(labelled.begin(), labelled.end(), &control), labelled.end());
    }
}

struct BlanksCase {
    std::u16string_view text;
    std::u16string_view collapsed;
};

class Blanks : public testing::TestWithParam<BlanksCase> {};

TEST_P(Blanks, AreDroppedAtTheEndsAndMadeOneInside)
{
    EXPECT_EQ(form::collapseBlanks(GetParam().text), GetParam().collapsed);
}

INSTANTIATE_TEST_SUITE_P(Texts, Blanks,
                         testing::Values(BlanksCase{u"", u""}, BlanksCase{u"   ", u""},
                                         BlanksCase{u"元", u"元"},
                                         BlanksCase{u" 元        股 ", u"元 股"},
                                         BlanksCase{u"\u3000全角\u3000 空格", u"全角 空格"},
                                         BlanksCase{u"a b", u"a b"}));

} // namespace

namespace {

bool sameColumn(const form::Rect &a, const form::Rect &b)
{
    return a.left == b.left && a.width == b.width;
}

bool sameRow(const form::Rect &a, const form::Rect &b)
{
    return a.top == b.top && a.height == b.height;
}

// The one header of `part` that heads the cell at `place`; none when there is none or more.
const form::Control *headerOf(const form::WindowDescription &window, const form::Rect &place,
                              form::TablePart part)
{
    const form::Control *found = nullptr;
    for (const form::Control &control : window.controls()) {
        if (control.tablePart != part)
            continue;
        const form::Rect header = form::toPixels(control.twips);
        const bool heads = part == form::TablePart::columnHeader ? sameColumn(header, place)
                                                                 : sameRow(header, place);
        if (heads && found)
            return nullptr;
        if (heads)
            found = &control;
    }
    return found;
}

} // namespace

// The detail's figures read as a table: each cell stands under one column header and beside one
// row header, and its name is the two headers' captions, row first, as the screen shows them.
TEST(Accessibility, EveryDetailCellIsNamedByTheHeadersItStandsUnder)
{
    const form::WindowDescription &window = form::detailWindow();
    std::set<const form::Control *> usedHeaders;
    int cells = 0;
    for (const form::Control &control : window.controls()) {
        if (control.tablePart != form::TablePart::cell)
            continue;
        ++cells;
        const form::Rect place = form::toPixels(control.twips);
        const form::Control *column = headerOf(window, place, form::TablePart::columnHeader);
        const form::Control *row = headerOf(window, place, form::TablePart::rowHeader);
        ASSERT_NE(column, nullptr) << control.id;
        ASSERT_NE(row, nullptr) << control.id;
        EXPECT_TRUE(control.detailItem.has_value()) << control.id;
        EXPECT_EQ(form::accessibleName(control),
                  std::u16string(row->text) + u" " + std::u16string(column->text))
            << control.id;
        usedHeaders.insert(column);
        usedHeaders.insert(row);
    }
    EXPECT_EQ(cells, 12);
    const auto headers = std::count_if(
        window.controls().begin(), window.controls().end(), [](const form::Control &control) {
            return control.tablePart == form::TablePart::columnHeader ||
                   control.tablePart == form::TablePart::rowHeader;
        });
    EXPECT_EQ(usedHeaders.size(), static_cast<std::size_t>(headers)) << "a header heads nothing";
}
