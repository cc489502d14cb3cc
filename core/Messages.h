// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Every text the program shows in a message box, and the titles, in one place.
namespace Messages {
inline constexpr char applicationTitle[] = "Quorvel";
inline constexpr char windowTitle[] = "Quorvel v1.15";

inline constexpr char enterName[] = "Please Enter Name";
inline constexpr char enterTimeZone[] = "Please Enter Hour and Minute of Time Zone";
inline constexpr char enterLongitudeDegree[] = "Please Enter Degree of Longitude";
inline constexpr char enterLongitudeMinute[] = "Please Enter Minute of Longitude";
inline constexpr char enterLatitudeDegree[] = "Please Enter Degree of Latitude";
inline constexpr char enterLatitudeMinute[] = "Please Enter Minute of Latitude";
inline constexpr char wrongFebruaryDate[] = "Please Enter Correct Date Or Month!";
inline constexpr char wrongThirtyDayDate[] = "Please Enter Correct Date Or Month !";
inline constexpr char zoneOutOfRange[] = "Please Enter Time Zone from 0 to 14 Hours";
inline constexpr char zoneMinuteOutOfRange[] = "Please Enter Minute of Time Zone from 0 to 59";
inline constexpr char longitudeOutOfRange[] = "Please Enter Longitude from 0 to 180 Degrees";
inline constexpr char longitudeMinuteOutOfRange[] = "Please Enter Minute of Longitude from 0 to 59";
inline constexpr char latitudeOutOfRange[] = "Please Enter Latitude from 0 to 90 Degrees";
inline constexpr char latitudeMinuteOutOfRange[] = "Please Enter Minute of Latitude from 0 to 59";
inline constexpr char onlyNumbers[] = "Only Numbers Are Accepted";

inline constexpr char checkFile[] = "Please Check The File.";
inline constexpr char unableToSave[] = "Unable To Save The File.";
inline constexpr char unableToPrint[] = "Unable To Print The Reading.";
// A web page the desktop could not hand to a browser; %1 is its address.
inline constexpr char webPageNotOpened[] =
    "No Browser Could Open The Web Page. Copy Its Address Into A Browser:\n\n%1";
inline constexpr char spanBackwards[] = "Please Enter An Export Span That Ends On Or After Its First Day";
inline constexpr char alreadyRunning[] = "Application is already running";
inline constexpr char updateQuestion[] =
    "There maybe an update to this software available\rDo you want to check for an update?";

// Why the coordinates search did not start; %1 is the file or folder.
inline constexpr char searchMissing[] = "The Coordinates Search Is Not Installed.";
inline constexpr char searchRefused[] = "The Coordinates Search Was Not Started: Other Users Could Change %1";
inline constexpr char searchBroken[] = "The Coordinates Search %1 Could Not Be Loaded.";
} // namespace Messages

enum class MessageIcon { Error, Information, Warning };
