#include "cli/Batch.h"

#include "cli/BirthFields.h"
#include "cli/ReadingReport.h"
#include "core/BirthTimeSpan.h"
#include "ephemeris/modEphemeris.h"

#include <array>
#include <charconv>
#include <deque>
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

// Reads CSV records: fields separated by commas, optionally quoted with
// double quotes ("" inside a quoted field is one quote; a quoted field may
// span lines), records ended by LF or CR LF. Records are counted from 1 as a
// spreadsheet counts its rows.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : m_text(text)
    {
        if (m_text.substr(0, byteOrderMark.size()) == byteOrderMark)
            m_text.remove_prefix(byteOrderMark.size());
    }

    // The next record's fields, or false at the end of the text. A record
    // that can't be read whole says why in `problem`. The views stay valid
    // until the next call.
    bool next(std::vector<std::string_view> &fields, std::string_view &problem)
    {
        fields.clear();
        problem = {};
        m_unescaped.clear();
        m_blank = false;
        if (m_pos >= m_text.size())
            return false;
        ++m_row;
        bool quotedAny = false;
        for (;;) {
            if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                quotedAny = true;
                if (!readQuoted(fields, problem))
                    return true;
            } else {
                const std::size_t start = m_pos;
                while (m_pos < m_text.size() && m_text[m_pos] != ',' && m_text[m_pos] != '\n'
                       && m_text[m_pos] != '\r')
                    ++m_pos;
                fields.push_back(m_text.substr(start, m_pos - start));
            }
            if (m_pos >= m_text.size())
                break;
            const char separator = m_text[m_pos++];
            if (separator == ',')
                continue;
            if (separator == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
                ++m_pos;
            break;
        }
        m_blank = !quotedAny && fields.size() == 1 && fields.front().empty();
        return true;
    }

    qint64 row() const { return m_row; }
    bool blank() const { return m_blank; }

private:
    // A quoted field from its opening quote; false (with the rest of the
    // line skipped) when it is malformed.
    bool readQuoted(std::vector<std::string_view> &fields, std::string_view &problem)
    {
        ++m_pos;  // the opening quote
        const std::size_t start = m_pos;
        std::string *unescaped = nullptr;
        std::size_t pieceStart = start;
        for (;;) {
            const std::size_t quote = m_text.find('"', m_pos);
            if (quote == std::string_view::npos) {
                m_pos = m_text.size();
                problem = "a quoted field is not closed";
                return false;
            }
            if (quote + 1 < m_text.size() && m_text[quote + 1] == '"') {
                if (!unescaped)
                    unescaped = &m_unescaped.emplace_back();
                unescaped->append(m_text.substr(pieceStart, quote + 1 - pieceStart));
                m_pos = quote + 2;
                pieceStart = m_pos;
                continue;
            }
            m_pos = quote + 1;
            if (unescaped) {
                unescaped->append(m_text.substr(pieceStart, quote - pieceStart));
                fields.push_back(*unescaped);
            } else {
                fields.push_back(m_text.substr(start, quote - start));
            }
            break;
        }
        if (m_pos < m_text.size() && m_text[m_pos] != ',' && m_text[m_pos] != '\n' && m_text[m_pos] != '\r') {
            problem = "text follows a closing quote";
            while (m_pos < m_text.size() && m_text[m_pos] != '\n')
                ++m_pos;
            if (m_pos < m_text.size())
                ++m_pos;
            return false;
        }
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    qint64 m_row = 0;
    bool m_blank = false;
    std::deque<std::string> m_unescaped;  // a deque keeps earlier strings in place
};

void appendCsvField(std::string &out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
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

// The mansion columns of each nakshatra, from nakshatraName to pictureNumber,
// taken once through the same lookup that fills the result screen.
std::array<std::string, 27> mansionColumns()
{
    std::array<std::string, 27> columns;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const QString name = QString::fromLatin1(nakshatraNames[k]);
        const CapturedReading captured = captureReading(name);
        const Reading &r = captured.reading;
        std::string &out = columns[k];
        appendCsvField(out, name.toStdString());
        for (const QString *text : {&r.mansionName, &r.literalTranslation, &r.westernConstellation, &r.animal,
                                    &r.direction, &r.season}) {
            out.push_back(',');
            appendCsvField(out, text->toStdString());
        }
        out.push_back(',');
        appendNumber(out, qint64(r.pictureNumber));
    }
    return columns;
}

struct Columns {
    std::array<int, birthFieldCount> index{};  // the record position of each field
    int count = 0;                             // fields in every record
};

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
        int field = -1;
        for (int f = 0; f < birthFieldCount; ++f) {
            if (name == birthFieldName(BirthField(f)))
                field = f;
        }
        if (field < 0)
            report("unknown column '" + std::string(fields[std::size_t(i)])
                   + "': the columns are name,date,time,zone,lon,lat,dst");
        else if (columns.index[std::size_t(field)] >= 0)
            report("column '" + name + "' appears twice");
        else
            columns.index[std::size_t(field)] = i;
    }
    for (int f = 0; f < birthFieldCount; ++f) {
        if (columns.index[std::size_t(f)] < 0)
            report(std::string("missing column '") + birthFieldName(BirthField(f)) + "'");
    }
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
        BirthTexts texts;
        for (int f = 0; f < birthFieldCount; ++f)
            texts[std::size_t(f)] = fields[std::size_t(columns.index[std::size_t(f)])];

        m_errors.clear();
        if (!m_parser.parse(texts, m_birth, m_errors)) {
            std::string message;
            for (const FieldError &error : m_errors) {
                std::string one = "field ";
                one += birthFieldName(error.field);
                one += ": ";
                one += error.message.toStdString();
                m_err.append(rowPrefix(row));
                m_err.append(one);
                m_err.append('\n');
                if (!message.empty())
                    message += "; ";
                message += one;
            }
            return writeBad(row, &texts, message, false);
        }
        if (!computeMoonNakshatra(m_birth, m_result) || m_result.nakshatraIndex < 0
            || m_result.nakshatraIndex >= int(m_mansions.size()))
            return writeBad(row, &texts, "the calculation failed for this birth");
        std::optional<BirthTimeSpan> span;
        if (m_options.span) {
            span = computeBirthTimeSpan(m_birth);
            if (!span)
                return writeBad(row, &texts, "the birth-time span could not be found");
        }

        m_line.clear();
        appendStart(row, &texts);
        for (const double value : {m_result.julianDay, m_result.universalTime, m_result.centuries,
                                   m_result.tropicalLongitude, m_result.siderealOffset, m_result.siderealLongitude}) {
            appendNumber(m_line, value);
            m_line.push_back(',');
        }
        appendNumber(m_line, qint64(m_result.nakshatraIndex));
        m_line.push_back(',');
        m_line += m_mansions[std::size_t(m_result.nakshatraIndex)];
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
            m_line += nakshatraNames[std::size_t(span->previousIndex)];
            m_line.push_back(',');
            m_line += nakshatraNames[std::size_t(span->nextIndex)];
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
    const std::array<std::string, 27> m_mansions;
    BirthParser m_parser;
    BirthData m_birth;
    EphemerisResult m_result;
    std::vector<FieldError> m_errors;
    std::string m_line;
};

} // namespace

BatchSummary runBatch(std::string_view csv, const BatchOptions &options, ByteSink &out, ByteSink &err)
{
    BatchSummary summary;
    CsvReader reader(csv);
    std::vector<std::string_view> fields;
    std::string_view problem;

    std::optional<Columns> columns;
    while (reader.next(fields, problem)) {
        if (reader.blank() && problem.empty())
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
        err.append("the file is empty: the first row must name the columns name,date,time,zone,lon,lat,dst\n");
        return summary;
    }
    summary.headerRead = true;

    BatchWriter writer(options, out, err);
    writer.writeHeader();
    while (!out.failed() && reader.next(fields, problem)) {
        if (reader.blank() && problem.empty())
            continue;
        ++summary.births;
        if (!writer.process(reader.row(), fields, problem, *columns))
            ++summary.badRows;
    }
    return summary;
}
