#pragma once
// What the full-screen window TFormView does, without the window: which image of the
// walked list it shows, the arrow keys of the viewer, the timer ticks of the instant show,
// the click that closes, and the failures that close it. The walked list is any of the
// three lists (explorer, show, album); the session reads it and changes nothing of it.
//
// The window gives the session its screen (what shows a picture, clears it and closes)
// and its timer; tests give fakes of both and drive the clock themselves.
#include "base/result.h"

#include <QImage>
#include <QString>
#include <functional>

namespace editor {

class GridList;
class PictureSource;

enum class ViewerMode { View, InstantShow };

inline const QString kPictureReadError = QStringLiteral("Erreur de lecture de l'image.");
inline const QString kQuitInstantShow = QStringLiteral("Quitter le lumivelle ?");

// The instant show's interval: `unitSeconds` seconds, or 5 seconds when that cannot be
// used (zero, negative or too large).
int instantShowInterval(int unitSeconds);

class ShowTimer {
public:
    virtual ~ShowTimer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    std::function<void()> timeout;
};

class ViewerScreen {
public:
    virtual ~ViewerScreen() = default;
    // A picture already fitted to the screen; the screen centres it.
    virtual void showPicture(const QImage &picture) = 0;
    virtual void clearPicture() = 0;
    virtual void closeViewer() = 0;
    virtual void setCursorHidden(bool hidden) = 0;
};

class ViewerSession {
public:
    ViewerSession(const GridList &list, ViewerMode mode, PictureSource &pictures, ViewerScreen &screen,
                  ShowTimer &timer);

    ViewerMode mode() const { return m_mode; }
    // The position of the image shown (viewer) or of the next one to show (instant show).
    int index() const { return m_index; }
    QString shownPath() const { return m_shownPath; }

    // Reads the first picture before the window opens: the list's current file for the
    // viewer, the first entry for the instant show. The failure has the reader's text.
    Result<QImage> loadFirst();
    // The window is on screen: the viewer takes the list's current position; the instant
    // show hides the cursor and starts the timer.
    void started(int unitLumivelle);
    // True when the key belongs to the window (Escape and F4 close, the arrows step).
    bool keyPressed(int key);
    void clicked();
    void tick();

private:
    void step(int direction);
    // Shows the image at `index` when its file exists; a file that cannot be read closes
    // the window. False when the window closed.
    bool showAt(int index, int direction);
    void readFailed();
    int startIndex() const;

    const GridList &m_list;
    ViewerMode m_mode;
    PictureSource &m_pictures;
    ViewerScreen &m_screen;
    ShowTimer &m_timer;
    int m_index = -1;
    int m_interval = 0;
    QString m_shownPath;
};

} // namespace editor
