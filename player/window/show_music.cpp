#include "player/window/show_music.h"

#include "ui/media_sound.h"

#include <QThread>

namespace player {

bool MediaShowMusic::play(const QString &path)
{
    if (!m_sound) {
        m_sound = new ui::MediaSound(this);
        connect(m_sound, &ui::MediaSound::ended, this, &ShowMusic::playbackEnded);
    }
    return m_sound->play(path);
}

void MediaShowMusic::close()
{
    if (m_sound)
        m_sound->close();
}

void MediaShowMusic::pauseBeforeRestart()
{
    QThread::msleep(1000);
}

} // namespace player
