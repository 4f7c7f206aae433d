#pragma once
// Help topics: pages of the help file beside the program (its path with the extension
// ".chm"). Whether the file exists is checked once at start-up; without it every help
// command and "&Aide" button does nothing.
#include <QString>

namespace editor {

class HelpViewer;

// The help file of a program: its path with the extension replaced by ".chm".
QString helpFileFor(const QString &programPath);

// Records the help file and whether it exists now.
void setHelpFile(const QString &chmPath);
bool helpFileAvailable();

// Opens the page in the help window (created on first use, reused after).
void ShowHelpTopic(const QString &topic);

// The open help window, if any.
HelpViewer *currentHelpViewer();

} // namespace editor
