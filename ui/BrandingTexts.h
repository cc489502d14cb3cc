// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The texts of the branding offers, shared by the banners and the about box.
namespace BrandingTexts {
inline constexpr char fullBrandOffer[] =
    "Home Business Opportunity. Start your own Internet business and make money online. "
    "Get this software fully branded for your website.";
inline constexpr char moreDetails[] = "Click here for more details";
} // namespace BrandingTexts
