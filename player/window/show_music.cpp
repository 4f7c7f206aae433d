#include "player/window/show_music.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QThread>
#include <QUrl>

namespace player {

bool MediaShowMusic::play(const QString &path)
{
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
            if (status == QMediaPlayer::EndOfMedia)
                emit playbackEnded();
        });
    }
    m_player->setSource(QUrl::fromLocalFile(path));
    if (m_player->error() != QMediaPlayer::NoError)
        return false;
    m_player->play();
    return true;
}

void MediaShowMusic::close()
{
    if (!m_player)
        return;
    const QSignalBlocker quiet(m_player);
    m_player->stop();
    m_player->setSource(QUrl());
}

void MediaShowMusic::pauseBeforeRestart()
{
    QThread::msleep(1000);
}

} // namespace player
