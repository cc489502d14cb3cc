// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mansions/modChineseLunarMansionInformation.h"

#include <array>

namespace {

// The 28 mansions in their traditional order. Row k carries the nakshatra of
// number k, so the lookup by nakshatra name is positional; the last row has
// none and is never reached by a reading. Two pairs of rows share a name
// ("Wei" 5/11, "Bì" 13/18): rows are told apart by index only.
constexpr std::array<MansionRecord, mansionCount> rows{{
    {0, "Jiao", "Horn", "Spica", "0_jiao.jpg", 31, 24, "Ashwini"},
    {1, "Kàng", "Neck", "Virgo", "1_kang.jpg", 35, 24, "Bharani"},
    {2, "Di", "Root", "Libra", "2_di.jpg", 32, 24, "Krittika"},
    {3, "Fáng", "Room", "Libra", "3_fang.jpg", 30, 24, "Rohini"},
    {4, "Xin", "Heart", "Antares", "4_xin.jpg", 37, 24, "Mrigasira"},
    {5, "Wei", "Tail", "Scorpius", "5_wei_1.jpg", 32, 24, "Ardra"},
    {6, "Ji", "Winnowing Basket", "Sagittarius", "6_ji.jpg", 34, 24, "Punarvasu"},
    {7, "Dou", "Dipper", "Sagittarius", "7_dou.jpg", 43, 28, "Pushya"},
    {8, "Niú", "Ox", "Capricornus", "8_niu.jpg", 39, 28, "Ashlesha"},
    {9, "Nu", "Girl", "Aquarius", "9_nu.jpg", 39, 25, "Magha"},
    {10, "Xu", "Emptiness", "Aquarius", "10_xu.jpg", 39, 26, "Poorva Phalguni"},
    {11, "Wei", "Danger , Rooftop", "Aquarius/Pegasus", "11_wei_2.jpg", 38, 25, "Uttara Phalguni"},
    {12, "Shì", "Room , Encampment", "Pegasus", "12_shi.jpg", 40, 26, "Hasta"},
    {13, "Bì", "Wall", "Algenib Pegasus", "13_bi_1.jpg", 34, 28, "Chitra"},
    {14, "Kuí", "Legs", "Andromeda", "14_kui.jpg", 34, 24, "Swati"},
    {15, "Lóu", "Bond", "Aries", "15_lou.jpg", 35, 24, "Vishakha"},
    {16, "Wèi", "Stomach", "Aries", "16_wei_3.jpg", 31, 24, "Anuradha"},
    {17, "Mao", "Hairy Head", "Pleiades", "17_mao.jpg", 35, 24, "Jyeshtha"},
    {18, "Bì", "Net", "Taurus", "18_bi_2.jpg", 34, 24, "Moola"},
    {19, "Zi", "Turtle Beak", "Orion", "19_zi.jpg", 29, 24, "Purva Ashadha"},
    {20, "Shen", "Three Stars", "Orion", "20_shen.jpg", 32, 24, "Uttara Ashadha"},
    {21, "Jing", "Well", "Gemini", "21_jing.jpg", 37, 24, "Shravana"},
    {22, "Gui", "Ogre/Demon, Ghost", "Cancer", "22_gui.jpg", 33, 24, "Dhanistha"},
    {23, "Liu", "Willow", "Hydra", "23_liu.jpg", 35, 24, "Shatabhisha"},
    {24, "Xing", "star", "Alphard", "24_xing.jpg", 30, 24, "Poorva Bhadrapada"},
    {25, "Zhang", "Growth, Extended Net", "Crater", "25_zhang.jpg", 33, 24, "Uttara Bhadrapada"},
    {26, "Yì", "Wings", "Corvus", "26_yi.jpg", 31, 24, "Revati"},
    {27, "Zhen", "Chariot", "Corvus", "27_zhen.jpg", 37, 24, ""},
}};

constexpr bool rowsInOrder()
{
    for (int i = 0; i < mansionCount; ++i) {
        if (rows[std::size_t(i)].index != i)
            return false;
    }
    return true;
}
static_assert(rowsInOrder(), "each row's index is its position");

// The four groups of seven rows: East/Spring, South/Summer, West/Autumn,
// North/Winter.
constexpr std::array<Quadrant, 4> quadrants{{
    {"Green Dragon", "East", "Spring"},
    {"Red Sparrow", "South", "Summer"},
    {"White Tiger", "West", "Autumn"},
    {"Black Tortoise", "North", "Winter"},
}};

// Stands in for an index outside 0..27, so a caller's bad index yields empty
// texts rather than a read past the table.
constexpr MansionRecord noRow{-1, "", "", "", "", 0, 0, ""};
constexpr Quadrant noQuadrant{"", "", ""};

bool isRow(int index)
{
    return index >= 0 && index < mansionCount;
}

} // namespace

const MansionRecord &mansionRow(int index)
{
    return isRow(index) ? rows[std::size_t(index)] : noRow;
}

const Quadrant &quadrantOf(int index)
{
    if (!isRow(index))
        return noQuadrant;
    std::size_t group = 0;
    if (index > 6)
        group = 1;
    if (index > 13)
        group = 2;
    if (index > 20)
        group = 3;
    return quadrants[group];
}

QString nakshatraName(int row)
{
    return row >= 0 && row < nakshatraRowCount ? QString::fromUtf8(rows[std::size_t(row)].nakshatra) : QString();
}

std::optional<int> findMansionRow(const QString &nakshatraName)
{
    // Exact comparison, code unit by code unit: the names are the key of
    // saved files, so nothing is trimmed or folded.
    for (int row = 0; row < nakshatraRowCount; ++row) {
        if (nakshatraName == QString::fromUtf8(rows[std::size_t(row)].nakshatra))
            return row;
    }
    return std::nullopt;
}
