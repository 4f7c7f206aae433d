#pragma once
// The show's music: one sound file played through to its end, then, after a pause of one
// second that blocks the window, again from the start. The window drives the loop through
// the end-of-playback notification; tests give the window their own ShowMusic.
#include <QObject>
#include <QString>

namespace ui { class MediaSound; }

namespace player {

class ShowMusic : public QObject {
    Q_OBJECT

public:
    // Sets the file, opens it, asks for the end-of-playback notification and plays. False
    // when a step fails at once; failures that come later are ignored, the show runs silent.
    virtual bool play(const QString &path) = 0;
    // Stops and closes the device; no end-of-playback notification follows.
    virtual void close() = 0;
    // The pause before the music starts again (the window waits meanwhile).
    virtual void pauseBeforeRestart() = 0;

signals:
    void playbackEnded();
};

// Qt Multimedia behind ShowMusic; a show without music never opens an audio device.
class MediaShowMusic final : public ShowMusic {
    Q_OBJECT

public:
    bool play(const QString &path) override;
    void close() override;
    void pauseBeforeRestart() override;

private:
    ui::MediaSound *m_sound = nullptr;
};

} // namespace player
