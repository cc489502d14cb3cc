#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""quorvel-cli --calendar --ics read back by an independent parser.

Exports a fortnight around Berlin's change back to winter time twice, with
the taras from a saved reading, and checks the file against the same span
as JSON: the properties every event needs, CRLF line ends, lines folded at
75 octets, UTF-8, UTC times equal to the JSON's and UIDs that stay the same.

    check_calendar_ics.py QUORVEL_CLI
"""

import json
import subprocess
import sys
import tempfile
from datetime import datetime, timezone
from pathlib import Path

from icalendar import Calendar

CALENDAR = ["--calendar", "2023-10-20", "2023-11-03", "--tz", "Europe/Berlin"]


def run(cli, *arguments):
    result = subprocess.run([cli, *arguments], capture_output=True, check=True)
    return result.stdout


def utc(text):
    return datetime.strptime(text, "%Y-%m-%dT%H:%MZ").replace(tzinfo=timezone.utc)


def check(condition, message):
    if not condition:
        sys.exit(f"check_calendar_ics: {message}")


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        reading = Path(folder, "ann.qvr")
        run(cli, "--name", "Ann", "--date", "1990-05-04", "--time", "10:30", "--zone", "5:30",
            "--lon", "73:51E", "--lat", "18:31N", "--save", str(reading))
        periods = json.loads(run(cli, *CALENDAR, "--for", str(reading), "--json"))["periods"]
        exports = []
        for name in ("first.ics", "again.ics"):
            path = Path(folder, name)
            check(run(cli, *CALENDAR, "--for", str(reading), "--ics", str(path)) == b"", "--ics printed something")
            exports.append(path.read_bytes())

    raw = exports[0]
    text = raw.decode("utf-8")
    check(raw.endswith(b"\r\n") and b"\n" not in raw.replace(b"\r\n", b""), "a line does not end in CRLF")
    lines = raw.split(b"\r\n")[:-1]
    check(all(len(line) <= 75 for line in lines), "a line is longer than 75 octets")
    check(any(line.startswith(b" ") for line in lines), "no line was folded")
    check("Bì" in text.replace("\r\n ", ""), "UTF-8 text does not survive the folding")

    calendar = Calendar.from_ical(raw)
    check(str(calendar["VERSION"]) == "2.0" and "PRODID" in calendar, "VERSION or PRODID missing")
    events = calendar.walk("VEVENT")
    check(len(events) == len(periods), f"{len(events)} events for {len(periods)} periods")
    for event, period in zip(events, periods):
        for key in ("UID", "DTSTAMP", "DTSTART", "DTEND", "SUMMARY"):
            check(key in event, f"an event has no {key}")
        check(event.decoded("DTSTART") == utc(period["startUT"]), f"DTSTART of {period['startUT']}")
        check(event.decoded("DTEND") == utc(period["endUT"]), f"DTEND of {period['endUT']}")
        favourable = "favourable" if period["favourable"] else "unfavourable"
        summary = (f"Moon in {period['nakshatraName']} ({period['mansionName']}): "
                   f"{period['tara']} (count {period['count']}), {favourable}")
        check(str(event["SUMMARY"]) == summary, f"SUMMARY {event['SUMMARY']!r}, expected {summary!r}")

    uids = [str(event["UID"]) for event in events]
    check(len(set(uids)) == len(uids), "two events share a UID")
    again = [str(event["UID"]) for event in Calendar.from_ical(exports[1]).walk("VEVENT")]
    check(again == uids, "the UIDs change from one export to the next")
    print(f"check_calendar_ics: {len(events)} events as the JSON has them")


if __name__ == "__main__":
    main()
