#pragma once
// The user's folders, the system's default browser, and opening files and
// addresses with the system's program. Programs call these through the dialog
// seam (core/dialogs.h); only the Qt presenter calls them directly.

#include <QString>
#include <QStringList>

namespace os {

// The roaming configuration folder (XDG config home, ~/.config).
QString roamingConfigFolder();
// The local application-data folder (XDG data home, ~/.local/share).
QString localDataFolder();
// The documents folder (XDG documents directory, else the home folder).
QString documentsFolder();

// Opens a file or an address with the program the desktop associates with it
// (xdg-open), detached. With arguments, target is started as a program with
// them. False when nothing could be started or the file does not exist.
bool openWithSystem(const QString& target, const QStringList& arguments = {});

// The executable of the desktop's default web browser, as a full path; empty
// when none is configured or found. Looks at $BROWSER, then the default
// "x-scheme-handler/https" entry of the desktop's mimeapps lists.
QString defaultBrowser();

// The program of a desktop entry's Exec line ("firefox-esr %u" -> "firefox-esr").
QString desktopEntryProgram(const QString& execLine);

} // namespace os
