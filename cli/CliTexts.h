// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>

// The fixed texts of the command-line companion, in one place.
namespace CliTexts {

inline constexpr char programName[] = "quorvel-cli";
inline constexpr char version[] = "quorvel-cli 1.15";

// The longest field and the longest row of a batch file, in bytes, as the
// help below states them.
inline constexpr std::size_t batchFieldLimit = 4096;
inline constexpr std::size_t batchRowLimit = 65536;

inline constexpr char usage[] =
    "Usage: quorvel-cli --name TEXT --date YYYY-MM-DD --time HH:MM --zone [+|-]H[:MM]\n"
    "                   --lon DEG:MIN{E|W} --lat DEG:MIN{N|S} [--dst] [--json] [--save FILE.qvr]\n"
    "       quorvel-cli --name TEXT --date YYYY-MM-DD --time HH:MM --place TEXT\n"
    "                   [--json] [--save FILE.qvr]\n"
    "       quorvel-cli --open FILE.qvr [--json]\n"
    "       quorvel-cli --pair A.qvr B.qvr [--json]\n"
    "       quorvel-cli --batch FILE.csv [--span]\n"
    "       quorvel-cli --help | --version\n";

inline constexpr char help[] =
    "\n"
    "Finds the Chinese lunar mansion of a birth from the Moon's nakshatra, as Quorvel\n"
    "does, and prints the reading with the stretch of clock time around the birth\n"
    "during which the Moon stays in that nakshatra.\n"
    "\n"
    "One reading:\n"
    "  --name TEXT          the person's name (required; it plays no part in the result)\n"
    "  --date YYYY-MM-DD    date of birth, 1901-01-01 to 2050-12-31\n"
    "  --time HH:MM         clock time of birth, 00:00 to 23:59; seconds may follow\n"
    "                       (HH:MM:SS) and are ignored, as on Quorvel's screen\n"
    "  --zone [+|-]H[:MM]   the birthplace's offset from Universal Time, at most\n"
    "                       14:00, such as 5:30 (minutes in two digits). A sign\n"
    "                       gives its direction as ISO 8601 does: '+' for a clock\n"
    "                       ahead of Universal Time (+5:30 in India, +1:00 in\n"
    "                       Madrid), '-' for one behind; UTC may come first, as\n"
    "                       in UTC+5:30. A zone without a sign\n"
    "                       follows the longitude, as on Quorvel's screen: East\n"
    "                       of Greenwich ahead of Universal Time, West (and 0:00\n"
    "                       exactly) behind it. A zone more than 3 hours from the\n"
    "                       solar time at the longitude gets a note on standard\n"
    "                       error: a sign slipped, most likely.\n"
    "  --lon DEG:MIN{E|W}   longitude, such as 77:13E, at most 180:00\n"
    "  --lat DEG:MIN{N|S}   latitude, such as 28:36N, at most 90:00\n"
    "  --dst                daylight saving was in force: the clock one hour ahead\n"
    "                       of the zone's own time, so at most 14:00 ahead of\n"
    "                       Universal Time\n"
    "  --place TEXT         the birthplace instead of --zone, --lon, --lat and --dst,\n"
    "                       such as \"Pune, Maharashtra, India\" (the name, then\n"
    "                       after a comma its state or country, in any order).\n"
    "                       Quorvel's atlas of 200,000 GeoNames places gives its\n"
    "                       coordinates, rounded to the minute, and the time zone\n"
    "                       database the clock at the birth: the zone's standard\n"
    "                       offset, with --dst where daylight saving of one hour\n"
    "                       was in force, else the whole offset in force; signed\n"
    "                       where the clock is on the other side of Universal Time\n"
    "                       from the longitude. Universal Time is then the\n"
    "                       database's own. A place ten times as large as the\n"
    "                       others of its name, the one whose own name it is where\n"
    "                       the others hold it as another name, or the largest\n"
    "                       where they all lie in one state, is taken, with a note\n"
    "                       on standard error. Refused with the reason: a name not\n"
    "                       in the atlas (near spellings are suggested), a name\n"
    "                       found in several countries or states (the candidates\n"
    "                       are listed), and a time skipped when the clocks went\n"
    "                       forward. A time repeated when the clocks went back is\n"
    "                       taken at its first occurrence, and an offset with\n"
    "                       seconds rounded to the minute; both are said on\n"
    "                       standard error. --json adds the place found, its zone\n"
    "                       and the offset used.\n"
    "  --json               print one JSON object instead of text: the birth data,\n"
    "                       every value of the calculation, the reading and the span\n"
    "  --save FILE.qvr      also write the reading to a file that Quorvel opens;\n"
    "                       a name without an extension gets .qvr\n"
    "\n"
    "A saved reading:\n"
    "  --open FILE.qvr      print the reading of a saved file (text or --json); a saved\n"
    "                       reading holds no birth data, so it has no span\n"
    "\n"
    "Two saved readings:\n"
    "  --pair A.qvr B.qvr   compare them by the tara (nine-star) rule of Ashtakoota\n"
    "                       matching: each one's mansion and nakshatra, the count\n"
    "                       from each nakshatra to the other, its tara and whether\n"
    "                       it is favourable, and the score out of 3 (text or --json)\n"
    "\n"
    "Many readings:\n"
    "  --batch FILE.csv     read births from a CSV file ('-' reads standard input) and\n"
    "                       write one CSV result row per birth to standard output\n"
    "  --span               add the span columns to the batch output\n"
    "\n"
    "  The first row names the columns, in any order: name,date,time,zone,lon,lat,dst.\n"
    "  A place column may stand instead of zone, lon, lat and dst, written as for\n"
    "  --place; the output shows the four fields it gave.\n"
    "  Each later row is one birth, its fields written as for the options above; dst\n"
    "  is yes or no (also 1 or 0, true or false; empty means no). Fields may be quoted\n"
    "  with \"double quotes\". Rows are counted as a spreadsheet counts them, the header\n"
    "  being row 1; blank lines, also lines of spaces and tabs only, are skipped.\n"
    "  A bad row is reported on standard error as\n"
    "  \"row N: field F: message\", its output row carries the message in the error\n"
    "  column, and the next row follows. A field may hold up to 4096 bytes; a row\n"
    "  longer than 65536 bytes ends the batch, since where it ends can't be told.\n"
    "  A text cell of the output that begins with =, +, -, @, a tab or a carriage\n"
    "  return gets a leading apostrophe ('-5:30), so that a spreadsheet shows it\n"
    "  rather than running it as a formula; a plain number such as -5 stays as it is.\n"
    "\n"
    "  --help               show this help\n"
    "  --version            show the version\n"
    "\n"
    "Exit status: 0 success; 1 bad input, or a file that could not be read or\n"
    "written; 2 wrong use of the options.\n";

} // namespace CliTexts
