#include "ui/media_sound.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace ui {

bool MediaSound::play(const QString &path)
{
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
            if (status == QMediaPlayer::EndOfMedia)
                emit ended();
        });
    }
    m_player->setSource(QUrl::fromLocalFile(path));
    if (m_player->error() != QMediaPlayer::NoError)
        return false;
    m_player->play();
    return true;
}

void MediaSound::playFromStart()
{
    if (!isOpen())
        return;
    m_player->setPosition(0);
    m_player->play();
}

bool MediaSound::isOpen() const
{
    return m_player && !m_player->source().isEmpty();
}

bool MediaSound::isStopped() const
{
    return !m_player || m_player->playbackState() == QMediaPlayer::StoppedState;
}

void MediaSound::close()
{
    if (!m_player)
        return;
    const QSignalBlocker quiet(m_player);
    m_player->stop();
    m_player->setSource(QUrl());
}

} // namespace ui
