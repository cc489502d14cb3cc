// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QLabel;
class QString;
class QWidget;

// Names and values that screen readers announce for the screens' controls.
namespace Accessible {

// Names `control` after the caption that introduces it on screen ("Name"),
// or after the caption followed by `part` where one caption introduces
// several controls ("Date of Birth" and "Month").
void nameAfter(QWidget *control, const QString &caption, const QString &part);
// The same with the caption taken from `label` (access key marks removed),
// which also becomes the control's buddy so the two are related.
void nameAfter(QWidget *control, QLabel *label, const QString &part);
void nameAfter(QWidget *control, QLabel *label);

// A value label read out under its caption: its accessible name is the
// caption's text and its value is the label's own text, whatever the screen
// writes into it later.
void exposeValue(QLabel *value, const QLabel *caption);
// The same under a name of its own, where a row's caption and a column's
// heading together say what the value is ("Tara, Ann to Bob").
void exposeValue(QLabel *value, const QString &name);

} // namespace Accessible
