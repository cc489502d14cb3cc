// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>
#include <utility>

// What a step that can fail gives back: its value, or why there is none.
// The why is data (a reason, a failure, the list of problems), worded by
// the screen or the companion that asked, never by the step.
template <typename Value, typename Why = QString>
struct Result {
    std::optional<Value> value; // empty when the step failed
    Why why{};                  // why it failed; as made when it worked

    static Result of(Value value) { return {std::move(value), Why{}}; }
    static Result failed(Why why) { return {std::nullopt, std::move(why)}; }
    explicit operator bool() const { return value.has_value(); }
};

// The same for a step that makes nothing: done, or why not.
template <typename Why>
struct Result<void, Why> {
    bool done = false;
    Why why{};

    static Result ok() { return {true, Why{}}; }
    static Result failed(Why why) { return {false, std::move(why)}; }
    explicit operator bool() const { return done; }
};
