#pragma once
// One sound file played through Qt Multimedia, with the end-of-playback notification: the
// show's music in the player and the test sound of the show options dialog. The media
// objects are made at the first play, so nothing opens an audio device until a sound plays.
#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;

namespace ui {

class MediaSound : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // Sets the file and plays it; false when that fails at once.
    bool play(const QString &path);
    void playFromStart();
    bool isOpen() const;
    bool isStopped() const;
    // Stops and closes; no end-of-playback notification follows.
    void close();

signals:
    void ended();

private:
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_output = nullptr;
};

} // namespace ui
