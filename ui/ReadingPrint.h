// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/MansionPicture.h"
#include "ui/Session.h"

#include <QString>
#include <QStringList>

class QPainter;
class QPrinter;
class QRectF;
class QWidget;
class Session;
struct Reading;

// A text under one part of a page's picture, centred at `centre`, a share
// of the picture's width (0 the left edge, 1 the right).
struct PictureLabel {
    QString text;
    double centre = 0.5;
};

// One reading as it goes on paper: the texts the result screen shows, in the
// screen's order, and the mansion's picture. A comparison of two readings
// goes on paper the same way, with rows and paragraphs of its own.
struct ReadingPage {
    QString title;               // the frame's caption
    QString fileStem;            // the name proposed for its file, without suffix (readingFileStem)
    QString person;              // the name of a calculated reading's birth
    QStringList birthDetails;    // its date, time and zone; its place
    QStringList captions;        // "Chinese Lunar Mansion Name", ...; the first row is shown larger
    QStringList values;          // as the value labels show them, one per caption
    QStringList traitsCaptions;  // "Positive Human Traits", ...
    QStringList traits;          // one paragraph per caption
    MansionPicture picture;      // null for none
    QList<PictureLabel> pictureLabels;  // under the picture, one for each character it shows side by side
};

// The reading under its captions, with its picture, ready for paper; a
// calculated reading also with whose it is: the name, the birth's date,
// time and zone, and its place (the place boxes' texts and the coordinates).
ReadingPage readingPage(const Reading &reading, const BirthPlace &place = {});

// Lays the reading out on one page of paper inside `page` (the painter's
// coordinates, usually the printable area): the title with the picture beside
// it, the person and the birth, the captions and values as a two-column table, then the two traits
// paragraphs under their captions. Black on white; sizes are in points, so the
// result looks the same on any device. A page too small for the text is
// scaled down as a whole rather than cut off.
void paintReading(QPainter &painter, const QRectF &page, const ReadingPage &reading);

// "Quorvel Result - JIAO": the title print queues and PDF viewers show.
QString readingDocumentTitle(const ReadingPage &reading);

// Writes the reading as a one-page A4 PDF. The file at `path` is replaced only
// once the whole document has been written; on failure it is left as it was.
bool writeReadingPdf(const QString &path, const ReadingPage &reading);

// Prints the reading on a printer that has been set up; false when the
// printer or its spooler refuses.
bool printReadingOn(QPrinter &printer, const ReadingPage &reading);

// The result screen's "&Print..." and "E&xport as PDF..." commands: ask
// through the desktop's dialogs, say so when the output fails, and do nothing
// when the user cancels.
void printReading(QWidget *parent, const ReadingPage &reading);
// Both propose the page's fileStem as the file's name; export starts in the
// session's reading folder, and a written PDF's folder becomes the reading
// folder.
void exportReadingPdf(QWidget *parent, const ReadingPage &reading, Session &session);
