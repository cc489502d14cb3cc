// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/Batch.h"

#include "cli/BirthFields.h"
#include "cli/CliTexts.h"
#include "cli/ReadingReport.h"
#include "core/Reading.h"
#include "places/PlaceLookup.h"
#include "sys/QuotedText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

ByteSink::ByteSink(std::function<bool(std::string_view)> write) : m_write(std::move(write))
{
    m_buffer.reserve(flushThreshold + 4096);
}

ByteSink::~ByteSink()
{
    flush();
}

bool ByteSink::flush()
{
    if (!m_buffer.empty()) {
        if (!m_failed && !m_write(m_buffer))
            m_failed = true;
        m_buffer.clear();
    }
    return !m_failed;
}

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

const std::string &fieldTooLong()
{
    static const std::string text = "a field is longer than " + std::to_string(CliTexts::batchFieldLimit) + " bytes";
    return text;
}

const std::string &rowTooLong()
{
    static const std::string text = "the row is longer than " + std::to_string(CliTexts::batchRowLimit)
        + " bytes; the rest of the file is not read";
    return text;
}

// Reads CSV records from a source, a buffer at a time, so that memory stays
// bounded whatever the input's size: fields separated by commas, optionally
// quoted with double quotes ("" inside a quoted field is one quote; a quoted
// field may span lines), records ended by LF, CR LF or CR. Records are
// counted from 1 as a spreadsheet counts its rows. A record is at most
// CliTexts::batchRowLimit bytes; past that its end can't be told (a quote
// may never close), so reading stops there.
class CsvReader {
public:
    explicit CsvReader(const ByteSource &source) : m_source(source), m_buffer(bufferSize, '\0') {}

    // The next record's fields, or false at the end of the input or when it
    // can't be read (see failed()). A record that can't be read whole says
    // why in `problem`. The views stay valid until the next call.
    bool next(std::vector<std::string_view> &fields, std::string_view &problem)
    {
        fields.clear();
        problem = {};
        m_text.clear();
        m_ends.clear();
        m_blank = false;
        if (m_stopped || !skipByteOrderMark() || peek() == endOfInput)
            return false;
        ++m_row;
        readRecord(problem);
        if (m_failed)
            return false;  // a record cut short by a read error is not taken
        std::size_t start = 0;
        for (const std::size_t end : m_ends) {
            fields.push_back(std::string_view(m_text).substr(start, end - start));
            start = end;
        }
        return true;
    }

    qint64 row() const { return m_row; }
    bool blank() const { return m_blank; }
    // True once the source reported a read error.
    bool failed() const { return m_failed; }

private:
    static constexpr int endOfInput = -1;
    static constexpr std::size_t bufferSize = 1 << 16;
    enum class State { FieldStart, Plain, Quoted, QuoteInQuoted, Skipping };

    void readRecord(std::string_view &problem)
    {
        State state = State::FieldStart;
        bool quotedAny = false;
        bool longField = false;
        std::size_t rowBytes = 0;
        auto endField = [&] { m_ends.push_back(m_text.size()); };
        auto append = [&](char c) {
            if (m_text.size() - (m_ends.empty() ? 0 : m_ends.back()) < CliTexts::batchFieldLimit)
                m_text.push_back(c);
            else
                longField = true;
        };
        for (;;) {
            const int c = get();
            const bool lineEnd = c == endOfInput || ((c == '\n' || c == '\r') && state != State::Quoted);
            if (lineEnd && c == '\r' && peek() == '\n')
                get();
            if (!lineEnd && ++rowBytes > CliTexts::batchRowLimit) {
                problem = rowTooLong();
                m_stopped = true;
                return;
            }
            switch (state) {
            case State::FieldStart:
                if (c == '"') {
                    quotedAny = true;
                    state = State::Quoted;
                    continue;
                }
                state = State::Plain;
                [[fallthrough]];
            case State::Plain:
                if (c == ',' || lineEnd) {
                    endField();
                    state = State::FieldStart;
                } else {
                    append(char(c));
                }
                break;
            case State::Quoted:
                if (c == endOfInput) {
                    endField();
                    problem = "a quoted field is not closed";
                    return;
                }
                if (c == '"')
                    state = State::QuoteInQuoted;
                else
                    append(char(c));
                break;
            case State::QuoteInQuoted:
                if (c == '"') {
                    append('"');
                    state = State::Quoted;
                } else if (c == ',' || lineEnd) {
                    endField();
                    state = State::FieldStart;
                } else {
                    problem = "text follows a closing quote";
                    state = State::Skipping;
                }
                break;
            case State::Skipping:
                break;
            }
            if (lineEnd)
                break;
        }
        if (problem.empty() && longField)
            problem = fieldTooLong();
        m_blank = problem.empty() && !quotedAny && m_ends.size() == 1
            && m_text.find_first_not_of(" \t") == std::string::npos;
    }

    // Drops a byte order mark at the very start of the input; false when
    // the input can't be read.
    bool skipByteOrderMark()
    {
        if (m_started)
            return true;
        m_started = true;
        while (m_filled < byteOrderMark.size() && !m_finished)
            fill();
        if (std::string_view(m_buffer).substr(0, std::min(m_filled, byteOrderMark.size())) == byteOrderMark)
            m_next = byteOrderMark.size();
        return !m_failed;
    }

    // Appends what the source gives to the buffered bytes.
    void fill()
    {
        if (m_next == m_filled)
            m_next = m_filled = 0;
        const qint64 count = m_source(m_buffer.data() + m_filled, m_buffer.size() - m_filled);
        if (count <= 0) {
            m_finished = true;
            m_failed = count < 0;
        } else {
            m_filled += std::size_t(count);
        }
    }

    int peek()
    {
        if (m_next == m_filled && !m_finished)
            fill();
        return m_next < m_filled ? int(static_cast<unsigned char>(m_buffer[m_next])) : endOfInput;
    }

    int get()
    {
        const int c = peek();
        if (c != endOfInput)
            ++m_next;
        return c;
    }

    const ByteSource &m_source;
    std::string m_buffer;  // bytes read ahead from the source
    std::size_t m_next = 0;
    std::size_t m_filled = 0;
    bool m_started = false;
    bool m_finished = false;  // the source has nothing more
    bool m_failed = false;
    bool m_stopped = false;  // a record ran over the row limit
    std::string m_text;                // the current record's fields, unescaped, one after another
    std::vector<std::size_t> m_ends;   // where each field ends in m_text
    qint64 m_row = 0;
    bool m_blank = false;
};

// "-5", "+12.5": a spreadsheet reads it as a number, never as a formula.
bool isPlainNumber(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return whole.size() + fraction.size() > 0 && digits(whole) && digits(fraction);
}

// A spreadsheet runs a cell that begins with one of these as a formula.
bool looksLikeFormula(std::string_view text)
{
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos
        && !isPlainNumber(text);
}

// One text cell. Text a spreadsheet would take for a formula gets a leading
// apostrophe, as spreadsheet-safe exporters write it, so that a name or a
// zone such as -5:30 from an untrusted file is shown, never run.
void appendCsvField(std::string &out, std::string_view field)
{
    const std::string_view guard = looksLikeFormula(field) ? "'" : "";
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(guard);
        out.append(field);
        return;
    }
    out.push_back('"');
    out.append(guard);
    for (const char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void appendNumber(std::string &out, double value)
{
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);  // shortest exact round trip
    out.append(digits, result.ptr);
}

void appendNumber(std::string &out, qint64 value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void appendPadded(std::string &out, int value, int width)
{
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    for (int pad = width - int(result.ptr - digits); pad > 0; --pad)
        out.push_back('0');
    out.append(digits, result.ptr);
}

// "1947-08-14 21:37"
void appendClockMinute(std::string &out, const ClockMinute &minute)
{
    appendPadded(out, minute.date.year(), 4);
    out.push_back('-');
    appendPadded(out, minute.date.month(), 2);
    out.push_back('-');
    appendPadded(out, minute.date.day(), 2);
    out.push_back(' ');
    appendPadded(out, minute.hour, 2);
    out.push_back(':');
    appendPadded(out, minute.minute, 2);
}

constexpr std::string_view resultColumns =
    "julianDay,universalTime,centuries,tropicalLongitude,siderealOffset,siderealLongitude,nakshatraIndex,"
    "nakshatraName,mansionName,literalTranslation,westernConstellation,animal,direction,season,pictureNumber";
constexpr int resultColumnCount = 15;
constexpr std::string_view spanColumns = "spanFirst,spanLast,minutesEarlier,minutesLater,previousNakshatra,nextNakshatra";
constexpr int spanColumnCount = 6;

// The mansion columns of each catalogue row, from nakshatraName to
// pictureNumber, in the catalogue's own spelling; made once per batch.
using MansionColumns = std::array<std::string, nakshatraRowCount>;

MansionColumns mansionColumns()
{
    MansionColumns columns;
    for (int row = 0; row < nakshatraRowCount; ++row) {
        const Reading r = readingOfRow(row);
        std::string &out = columns[std::size_t(row)];
        appendCsvField(out, r.nakshatraName.toStdString());
        for (const char *text : {r.mansion.name, r.mansion.literalTranslation, r.mansion.westernConstellation,
                                 r.quadrant.animal, r.quadrant.direction, r.quadrant.season}) {
            out.push_back(',');
            appendCsvField(out, text);
        }
        out.push_back(',');
        appendNumber(out, qint64(r.pictureEntry));
    }
    return columns;
}

struct Columns {
    std::array<int, birthFieldCount> index{};  // the record position of each field; -1 when a place stands for it
    int place = -1;                            // the place column's, or -1
    int count = 0;                             // fields in every record
};

constexpr std::string_view placeColumn = "place";

std::string rowPrefix(qint64 row)
{
    std::string text = "row ";
    appendNumber(text, row);
    text += ": ";
    return text;
}

// Reads the header row; on failure reports every problem and returns nothing.
std::optional<Columns> readHeader(const std::vector<std::string_view> &fields, qint64 row, ByteSink &err)
{
    Columns columns;
    columns.index.fill(-1);
    columns.count = int(fields.size());
    bool good = true;
    auto report = [&](const std::string &message) {
        err.append(rowPrefix(row));
        err.append(message);
        err.append('\n');
        good = false;
    };
    for (int i = 0; i < columns.count; ++i) {
        std::string name(fields[std::size_t(i)]);
        while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
            name.erase(0, 1);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
            name.pop_back();
        for (char &c : name)
            c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        int *column = name == placeColumn ? &columns.place : nullptr;
        for (int f = 0; f < birthFieldCount; ++f) {
            if (name == birthFieldName(BirthField(f)))
                column = &columns.index[std::size_t(f)];
        }
        if (!column)
            report("unknown column " + quotedValue(fields[std::size_t(i)]).toStdString()
                   + ": the columns are name,date,time,zone,lon,lat,dst, or place instead of zone,lon,lat,dst");
        else if (*column >= 0)
            report("column '" + name + "' appears twice");
        else
            *column = i;
    }
    bool placeAndFields = false;
    for (int f = 0; f < birthFieldCount; ++f) {
        const bool placed = columns.place >= 0 && standsForPlace(BirthField(f));
        if (columns.index[std::size_t(f)] < 0 && !placed)
            report(std::string("missing column '") + birthFieldName(BirthField(f)) + "'");
        placeAndFields = placeAndFields || (placed && columns.index[std::size_t(f)] >= 0);
    }
    if (placeAndFields)
        report("the column 'place' stands instead of zone, lon, lat and dst: give either the place or those four");
    if (!good)
        return std::nullopt;
    return columns;
}

class BatchWriter {
public:
    BatchWriter(const BatchOptions &options, ByteSink &out, ByteSink &err)
        : m_options(options), m_out(out), m_err(err), m_mansions(mansionColumns())
    {
        m_line.reserve(512);
    }

    void writeHeader()
    {
        m_line = "row,name,date,time,zone,lon,lat,dst,";
        m_line += resultColumns;
        if (m_options.span) {
            m_line += ',';
            m_line += spanColumns;
        }
        m_line += ",error\n";
        m_out.append(m_line);
    }

    // One data row. Returns false when the row is bad.
    bool process(qint64 row, const std::vector<std::string_view> &fields, std::string_view problem,
                 const Columns &columns)
    {
        if (!problem.empty())
            return writeBad(row, nullptr, std::string(problem));
        if (int(fields.size()) != columns.count) {
            std::string message = "the row has ";
            appendNumber(message, qint64(fields.size()));
            message += fields.size() == 1 ? " field" : " fields";
            message += " where the header has ";
            appendNumber(message, qint64(columns.count));
            return writeBad(row, nullptr, message);
        }
        BirthTexts texts;  // as the output row shows them
        for (int f = 0; f < birthFieldCount; ++f) {
            const int at = columns.index[std::size_t(f)];
            texts[std::size_t(f)] = at >= 0 ? fields[std::size_t(at)] : std::string_view();
        }
        // A place gives the zone, the coordinates and the DST tick, shown in
        // their columns where the date and time read.
        PlaceLookup *places = nullptr;
        std::string_view placeText;
        if (columns.place >= 0) {
            if (!m_places)
                m_places.emplace(Atlas::installed());
            places = &*m_places;
            placeText = fields[std::size_t(columns.place)];
        }
        const PlacedBirth read = readPlacedBirth(texts, places, placeText);
        const std::optional<FoundPlace> &found = read.found;
        if (found && found->chosen.zone) {
            for (int f = 0; f < birthFieldCount; ++f) {
                if (standsForPlace(BirthField(f))) {
                    m_placeTexts[std::size_t(f)] = placeFieldText(BirthField(f), found->chosen);
                    texts[std::size_t(f)] = m_placeTexts[std::size_t(f)];
                }
            }
        }

        if (!read.good()) {
            std::string message;
            const auto add = [&](std::string one) {
                m_err.append(rowPrefix(row));
                m_err.append(one);
                m_err.append('\n');
                if (!message.empty())
                    message += "; ";
                message += one;
            };
            for (const FieldError &error : read.errors)
                add(std::string("field ") + birthFieldName(error.field) + ": " + error.message.toStdString());
            if (!read.placeError.isEmpty())
                add("field place: " + read.placeError.toStdString());
            return writeBad(row, &texts, message, false);
        }
        if (!read.zoneNote.isEmpty()) {
            m_err.append(rowPrefix(row));
            m_err.append("field zone: " + read.zoneNote.toStdString() + '\n');
        }
        const std::optional<Reading> reading =
            calculateReading(read.birth, m_options.span ? SpanWanted::Yes : SpanWanted::No);
        if (!reading)
            return writeBad(row, &texts, "the calculation failed for this birth");
        const std::optional<BirthTimeSpan> &span = reading->span;
        if (m_options.span && !span)
            return writeBad(row, &texts, "the birth-time span could not be found");
        const EphemerisResult &figures = *reading->ephemeris;
        // What the place's clock did that the fields can't show (a repeated
        // hour, an offset rounded from seconds), said as --place says it.
        if (found) {
            for (const QString &note : found->clock.notes) {
                m_err.append(rowPrefix(row));
                m_err.append("field place: " + note.toStdString() + '\n');
            }
        }

        m_line.clear();
        appendStart(row, &texts);
        for (const double value : {figures.julianDay, figures.universalTime, figures.centuries,
                                   figures.tropicalLongitude, figures.siderealOffset, figures.siderealLongitude}) {
            appendNumber(m_line, value);
            m_line.push_back(',');
        }
        appendNumber(m_line, qint64(figures.nakshatraIndex));
        m_line.push_back(',');
        m_line += m_mansions[std::size_t(reading->row)];
        if (span) {
            m_line.push_back(',');
            appendClockMinute(m_line, span->first);
            m_line.push_back(',');
            appendClockMinute(m_line, span->last);
            m_line.push_back(',');
            appendNumber(m_line, span->minutesEarlier());
            m_line.push_back(',');
            appendNumber(m_line, span->minutesLater());
            m_line.push_back(',');
            m_line += nakshatraName(span->previousIndex).toStdString();
            m_line.push_back(',');
            m_line += nakshatraName(span->nextIndex).toStdString();
        }
        m_line += ",\n";  // an empty error column
        m_out.append(m_line);
        return true;
    }

private:
    void appendStart(qint64 row, const BirthTexts *texts)
    {
        appendNumber(m_line, row);
        for (int f = 0; f < birthFieldCount; ++f) {
            m_line.push_back(',');
            if (texts)
                appendCsvField(m_line, (*texts)[std::size_t(f)]);
        }
        m_line.push_back(',');
    }

    bool writeBad(qint64 row, const BirthTexts *texts, const std::string &message, bool report = true)
    {
        if (report) {
            m_err.append(rowPrefix(row));
            m_err.append(message);
            m_err.append('\n');
        }
        m_line.clear();
        appendStart(row, texts);
        const int empties = resultColumnCount + (m_options.span ? spanColumnCount : 0);
        m_line.append(std::size_t(empties), ',');
        appendCsvField(m_line, message);
        m_line.push_back('\n');
        m_out.append(m_line);
        return false;
    }

    const BatchOptions &m_options;
    ByteSink &m_out;
    ByteSink &m_err;
    const MansionColumns m_mansions;
    std::optional<PlaceLookup> m_places;  // looks each place text up once; made at the first place
    std::array<std::string, birthFieldCount> m_placeTexts; // the fields a place gives, as shown
    std::string m_line;
};

} // namespace

BatchSummary runBatch(const ByteSource &input, const BatchOptions &options, ByteSink &out, ByteSink &err)
{
    BatchSummary summary;
    CsvReader reader(input);
    std::vector<std::string_view> fields;
    std::string_view problem;

    std::optional<Columns> columns;
    while (reader.next(fields, problem)) {
        if (reader.blank())
            continue;
        if (!problem.empty()) {
            err.append(rowPrefix(reader.row()));
            err.append(problem);
            err.append('\n');
            return summary;
        }
        columns = readHeader(fields, reader.row(), err);
        if (!columns)
            return summary;
        break;
    }
    if (!columns) {
        summary.readFailed = reader.failed();
        if (!summary.readFailed) {
            err.append(CliTexts::programName);
            err.append(": the file is empty: the first row must name the columns name,date,time,zone,lon,lat,dst\n");
        }
        return summary;
    }
    summary.headerRead = true;

    BatchWriter writer(options, out, err);
    writer.writeHeader();
    while (!out.failed() && reader.next(fields, problem)) {
        if (reader.blank())
            continue;
        ++summary.births;
        if (!writer.process(reader.row(), fields, problem, *columns))
            ++summary.badRows;
    }
    summary.readFailed = reader.failed();
    return summary;
}

BatchSummary runBatch(std::string_view csv, const BatchOptions &options, ByteSink &out, ByteSink &err)
{
    const ByteSource source = [&csv](char *buffer, std::size_t size) {
        const std::size_t count = std::min(size, csv.size());
        csv.copy(buffer, count);
        csv.remove_prefix(count);
        return qint64(count);
    };
    return runBatch(source, options, out, err);
}
