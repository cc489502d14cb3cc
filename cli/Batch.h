// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <functional>
#include <string>
#include <string_view>

// Collects output and hands it on in large pieces.
class ByteSink {
public:
    // `write` takes one piece and says whether it was written whole.
    explicit ByteSink(std::function<bool(std::string_view)> write);
    ~ByteSink();
    ByteSink(const ByteSink &) = delete;
    ByteSink &operator=(const ByteSink &) = delete;

    void append(std::string_view bytes)
    {
        m_buffer.append(bytes);
        if (m_buffer.size() >= flushThreshold)
            flush();
    }
    void append(char c) { m_buffer.push_back(c); }
    // Hands on what is buffered; false once any piece failed to be written.
    bool flush();
    bool failed() const { return m_failed; }

private:
    static constexpr std::size_t flushThreshold = 1 << 16;
    std::function<bool(std::string_view)> m_write;
    std::string m_buffer;
    bool m_failed = false;
};

struct BatchOptions {
    bool span = false;  // add the birth-time span columns
};

struct BatchSummary {
    qint64 births = 0;    // data rows read (blank rows aside)
    qint64 badRows = 0;   // rows reported as bad
    bool headerRead = false;
    bool readFailed = false;  // the source reported a read error; the rows before it are done
};

// Hands the batch its input a piece at a time: puts up to `size` bytes into
// `buffer` and returns how many, 0 at the end of the input, or -1 when the
// input can't be read.
using ByteSource = std::function<qint64(char *buffer, std::size_t size)>;

// Reads births from CSV text (UTF-8, a header row naming the columns) and
// writes one CSV result row per birth to `out`, every problem as
// "row N: field F: message" to `err` (any other message begins with the
// program's name). A bad row doesn't stop the batch; a
// row longer than CliTexts::batchRowLimit does. Memory stays bounded
// whatever the input's size.
BatchSummary runBatch(const ByteSource &input, const BatchOptions &options, ByteSink &out, ByteSink &err);
// The same over CSV text in memory.
BatchSummary runBatch(std::string_view csv, const BatchOptions &options, ByteSink &out, ByteSink &err);
