// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The nine-star (tara) relation between two nakshatras, as the tara kuta of
// Ashtakoota matching counts it. It is counted on the nakshatras, never on
// the mansions shown: the catalogue keeps Niu and leaves out Zhen, so a count
// over the mansion names would differ from every tradition.

inline constexpr int taraCount = 9;

// One direction, from one nakshatra to another.
struct TaraStep {
    int count = 1; // 1..27: the other nakshatra's place, counting the first as 1
    int tara = 1;  // 1..9: the count's place in the cycle of nine
    bool favourable = true;
};

// Both directions between two readings' nakshatras, and the score they make.
struct TaraMatch {
    TaraStep aToB;
    TaraStep bToA;
    double score = 0; // out of taraFullScore; the same whichever reading comes first
};

inline constexpr double taraFullScore = 3;

// From nakshatra `from` to nakshatra `to`, both 0 (Ashwini) .. 26 (Revati).
TaraStep taraStep(int from, int to);
TaraMatch taraMatch(int a, int b);

// "Sampat"; counts 10 and 19 add their own names: "Janma (Anujanma)".
QString taraName(const TaraStep &step);
// "wealth": what the tara's name means.
QString taraMeaning(int tara);
// "1.5 / 3".
QString taraScoreText(double score);
// What a score means for the two readings, in one sentence.
QString taraScoreSentence(double score);

// The rule in plain words, for a reader who has never met it: what is
// counted, what makes a direction favourable, what the scores stand for, and
// where the rule comes from.
QString taraCountNote();
QString taraFavourableNote();
QString taraScoreScale();
QString taraRuleNote();
