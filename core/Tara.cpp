// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Tara.h"

#include "ephemeris/modEphemeris.h"

#include <array>

namespace {

struct TaraInfo {
    const char *name;
    const char *meaning;
    bool favourable; // Vipat, Pratyari and Vadha are not
};

// The nine taras in the order of the count, from the classical texts on
// Ashtakoota matching (the tara kuta).
constexpr std::array<TaraInfo, taraCount> taras{{
    {"Janma", "birth", true},
    {"Sampat", "wealth", true},
    {"Vipat", "danger", false},
    {"Kshema", "well-being", true},
    {"Pratyari", "obstacle", false},
    {"Sadhana", "achievement", true},
    {"Vadha", "death", false},
    {"Mitra", "friend", true},
    {"Parama Mitra", "great friend", true},
}};

// Each favourable direction earns half the full score.
constexpr double directionScore = taraFullScore / 2;

const TaraInfo &infoOf(int tara)
{
    return taras.at(std::size_t(tara - 1));
}

} // namespace

TaraStep taraStep(int from, int to)
{
    TaraStep step;
    step.count = ((to - from) % nakshatraCount + nakshatraCount) % nakshatraCount + 1;
    step.tara = (step.count - 1) % taraCount + 1; // count mod 9, with 0 read as 9
    step.favourable = infoOf(step.tara).favourable;
    return step;
}

TaraMatch taraMatch(int a, int b)
{
    TaraMatch match;
    match.aToB = taraStep(a, b);
    match.bToA = taraStep(b, a);
    match.score = (match.aToB.favourable ? directionScore : 0) + (match.bToA.favourable ? directionScore : 0);
    return match;
}

QString taraName(const TaraStep &step)
{
    const QString name = QString::fromLatin1(infoOf(step.tara).name);
    // The second and third rounds of the cycle begin on Janma's own names.
    if (step.count == taraCount + 1)
        return name + QStringLiteral(" (Anujanma)");
    if (step.count == 2 * taraCount + 1)
        return name + QStringLiteral(" (Trijanma)");
    return name;
}

QString taraMeaning(int tara)
{
    return QString::fromLatin1(infoOf(tara).meaning);
}

QString taraScoreText(double score)
{
    return QStringLiteral("%1 / %2").arg(score).arg(taraFullScore);
}

QString taraScoreSentence(double score)
{
    if (score >= taraFullScore)
        return QStringLiteral("Both counts fall on favourable taras: the best agreement the tara rule gives.");
    if (score > 0)
        return QStringLiteral("One count falls on an unfavourable tara: half the agreement the tara rule can give.");
    return QStringLiteral("Neither count falls on a favourable tara.");
}

QString taraRuleNote()
{
    return QStringLiteral("Counted from nakshatra to nakshatra by the tara kuta of Ashtakoota matching; the "
                          "27-mansion tradition uses the same distances with its own names, and some traditions "
                          "judge Janma unfavourable.");
}
