#pragma once
// ShellLaunch: opens a program or a document the way the desktop does, without waiting,
// and reports a failure in an error box with the French message of its cause.
//
// A file that is executable is started as a program with the parameter text split as a
// command line would be (double quotes group words, tripled quotes stand for one); any
// other file or folder is opened by the application the desktop associates with it.
// A relative name is looked for in the working folder first, then on the search path.
#include <QString>

class QWidget;

namespace editor {

// The shell's result codes; the ones listed have a message of their own, the others mean
// success.
enum class ShellResult : int {
    OutOfResources = 0,
    FileNotFound = 2,
    PathNotFound = 3,
    OutOfMemory = 8,
    NotAProgram = 11,
    SharingViolation = 26,
    IncompleteAssociation = 27,
    DdeTimeout = 28,
    DdeFailure = 29,
    DdeBusy = 30,
    NoAssociation = 31,
    Success = 42,
};

// The message of a result: the file name or the working folder follows the text where the
// result concerns them. Empty for success.
QString shellLaunchMessage(ShellResult result, const QString &file, const QString &workingFolder);

// Opens `file` and returns what happened, showing nothing.
ShellResult shellOpen(const QString &file, const QString &parameters, const QString &workingFolder);

// shellOpen, then the message of a failure in an error box. True when it started.
bool ShellLaunch(QWidget *owner, const QString &file, const QString &parameters, const QString &workingFolder);

} // namespace editor
