// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The batch CSV reader and runner, on arbitrary input. The first byte picks
// the options; the rest is the CSV file, handed over whole, in pieces of
// shifting sizes, and cut short by a read error.
#include "FuzzInput.h"
#include "cli/Batch.h"
#include "cli/CliTexts.h"

#include <QString>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Outcome {
    BatchSummary summary;
    std::string out;
    std::string err;
};

Outcome runOver(const ByteSource &source, bool span)
{
    Outcome outcome;
    ByteSink out([&](std::string_view piece) {
        outcome.out.append(piece);
        return true;
    });
    ByteSink err([&](std::string_view piece) {
        outcome.err.append(piece);
        return true;
    });
    BatchOptions options;
    options.span = span;
    outcome.summary = runBatch(source, options, out, err);
    out.flush();
    err.flush();
    return outcome;
}

// The output read back by a strict reader of its own: every record ends with
// LF, a quoted field is followed by a comma or the line end. False when the
// text is not well-formed CSV.
bool parseOutput(std::string_view text, std::vector<std::vector<std::string>> &rows)
{
    std::size_t at = 0;
    while (at < text.size()) {
        std::vector<std::string> &row = rows.emplace_back();
        for (;;) {
            std::string &field = row.emplace_back();
            if (at < text.size() && text[at] == '"') {
                for (++at;; ++at) {
                    if (at >= text.size())
                        return false;
                    if (text[at] == '"') {
                        if (at + 1 < text.size() && text[at + 1] == '"')
                            ++at;
                        else
                            break;
                    }
                    field.push_back(text[at]);
                }
                ++at;  // the closing quote
            } else {
                while (at < text.size() && text[at] != ',' && text[at] != '\n' && text[at] != '"')
                    field.push_back(text[at++]);
            }
            if (at >= text.size())
                return false;  // every record ends with a line end
            if (text[at] == '\n') {
                ++at;
                break;
            }
            if (text[at] != ',')
                return false;
            ++at;
        }
    }
    return true;
}

long long rowNumber(const std::string &text)
{
    const bool digits = std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (text.empty() || text.size() > 18 || !digits)
        return -1;
    return std::stoll(text);
}

// Standard error is one message a line, every control character escaped,
// every quoted value cut short.
void checkMessages(const std::string &err)
{
    for (std::size_t start = 0; start < err.size();) {
        const std::size_t end = err.find('\n', start);
        FUZZ_CHECK(end != std::string::npos);
        const QString line = QString::fromUtf8(err.data() + start, qsizetype(end - start));
        FUZZ_CHECK(line.size() <= 1024);
        for (const QChar c : line)
            FUZZ_CHECK(c.category() != QChar::Other_Control);
        start = end + 1;
    }
}

void checkOutcome(const Outcome &outcome)
{
    const BatchSummary &summary = outcome.summary;
    checkMessages(outcome.err);
    if (!summary.headerRead) {
        FUZZ_CHECK(outcome.out.empty());
        FUZZ_CHECK(summary.births == 0);
        return;
    }
    std::vector<std::vector<std::string>> rows;
    FUZZ_CHECK(parseOutput(outcome.out, rows));
    FUZZ_CHECK(!rows.empty() && rows.front().front() == "row");
    FUZZ_CHECK(qint64(rows.size()) - 1 == summary.births);

    // Row numbers rise, and the bad rows are among the ones reported.
    std::set<long long> bad;
    long long previous = 1;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string> &row = rows[i];
        FUZZ_CHECK(row.size() == rows.front().size());
        const long long number = rowNumber(row.front());
        FUZZ_CHECK(number > previous);
        previous = number;
        if (!row.back().empty())
            bad.insert(number);
        FUZZ_CHECK(row.back().size() <= 4096);  // values in a message are cut short
    }
    FUZZ_CHECK(qint64(bad.size()) == summary.badRows);
    std::set<long long> reported;
    for (std::size_t start = 0; start < outcome.err.size();) {
        const std::size_t end = outcome.err.find('\n', start);
        const std::string_view line = std::string_view(outcome.err).substr(start, end - start);
        FUZZ_CHECK(line.substr(0, 4) == "row ");
        const std::size_t colon = line.find(": ");
        FUZZ_CHECK(colon != std::string_view::npos);
        reported.insert(rowNumber(std::string(line.substr(4, colon - 4))));
        start = end + 1;
    }
    // Every bad row is reported; a good row may carry a note (a zone far
    // from its longitude's solar time, a place taken over others).
    FUZZ_CHECK(std::includes(reported.begin(), reported.end(), bad.begin(), bad.end()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    const bool span = control & 1;
    const std::string_view csv(reinterpret_cast<const char *>(data + 1), size - 1);

    // Whole.
    BatchOptions options;
    options.span = span;
    Outcome whole;
    {
        ByteSink out([&](std::string_view piece) {
            whole.out.append(piece);
            return true;
        });
        ByteSink err([&](std::string_view piece) {
            whole.err.append(piece);
            return true;
        });
        whole.summary = runBatch(csv, options, out, err);
    }
    checkOutcome(whole);
    FUZZ_CHECK(!whole.summary.readFailed);

    // In pieces of 1 to 17 bytes: the same result, wherever a buffer ends.
    std::size_t given = 0;
    const ByteSource pieces = [&](char *buffer, std::size_t room) -> qint64 {
        const auto next = static_cast<unsigned char>(csv[given % csv.size()]);
        const std::size_t count = std::min({room, csv.size() - given, std::size_t(1 + next % 17)});
        std::copy_n(csv.data() + given, count, buffer);
        given += count;
        return qint64(count);
    };
    const Outcome pieced = csv.empty() ? whole : runOver(pieces, span);
    FUZZ_CHECK(pieced.out == whole.out && pieced.err == whole.err);
    FUZZ_CHECK(pieced.summary.births == whole.summary.births && pieced.summary.badRows == whole.summary.badRows);

    // A read error part way: the rows read whole before it are written as
    // before, none after it, and the failure is reported to the caller.
    const std::size_t failAt = csv.size() * (control >> 4) / 16;
    std::size_t read = 0;
    const ByteSource failing = [&](char *buffer, std::size_t room) -> qint64 {
        if (read == failAt)
            return -1;
        const std::size_t count = std::min(room, failAt - read);
        std::copy_n(csv.data() + read, count, buffer);
        read += count;
        return qint64(count);
    };
    const Outcome failed = runOver(failing, span);
    checkOutcome(failed);
    if (failed.summary.readFailed) {
        FUZZ_CHECK(whole.out.compare(0, failed.out.size(), failed.out) == 0);
        FUZZ_CHECK(whole.err.compare(0, failed.err.size(), failed.err) == 0);
    } else {
        // Stopped before the error by the header or an endless row, as the whole run was.
        FUZZ_CHECK(failed.out == whole.out && failed.err == whole.err);
    }
    return 0;
}
