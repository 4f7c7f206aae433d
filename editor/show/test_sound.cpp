#include "editor/show/test_sound.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace editor {

void MediaTestSound::open(const QString &path)
{
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
            if (status == QMediaPlayer::EndOfMedia)
                emit notify();
        });
    }
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
}

void MediaTestSound::playFromStart()
{
    if (!isOpen())
        return;
    m_player->setPosition(0);
    m_player->play();
}

bool MediaTestSound::isOpen() const
{
    return m_player && !m_player->source().isEmpty();
}

bool MediaTestSound::isStopped() const
{
    return !m_player || m_player->playbackState() == QMediaPlayer::StoppedState;
}

void MediaTestSound::close()
{
    if (!m_player)
        return;
    const QSignalBlocker quiet(m_player);
    m_player->stop();
    m_player->setSource(QUrl());
}

} // namespace editor
