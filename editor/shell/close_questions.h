#pragma once
// The questions asked before the main window closes: first for a modified show, then for
// a modified album, each with Yes, No and Cancel. Cancel keeps the window open; Yes saves
// and goes on; No goes on without saving. A save that does not happen (the user left the
// file dialog, the disk refused the file) keeps the window open too, so nothing is lost.
#include <QString>
#include <functional>

namespace editor {

// What the show and album areas tell the window about their documents. Until an area is
// present its document reads as closed.
struct OpenDocuments {
    std::function<bool()> showModified;   // a show is open and modified
    std::function<bool()> saveShow;       // true when the show was saved
    std::function<bool()> albumModified;  // an album is open and modified
    std::function<bool()> saveAlbum;      // true when the album was saved
    std::function<QString()> showPath;    // the open show's file, empty when none
    std::function<void()> markShowModified;  // a command of another area changed a slide
    std::function<void()> markAlbumModified; // a command of another area changed an album entry
};

inline const QString kSaveShowQuestion = QStringLiteral("Enregistrer les modifications du lumivelle ouvert ?");
inline const QString kSaveAlbumQuestion = QStringLiteral("Enregistrer les modifications de l'album ouvert ?");

// Asks through messages::confirm; returns true when the window may close.
bool confirmClose(const OpenDocuments &documents);

} // namespace editor
