// TMainForm: keyboard, clicks, the context menu's commands and the music.
#include "player/window/main_form.h"

#include "ui/messages.h"
#include "imaging/jpeg_codec.h"
#include "player/window/player_icons.h"
#include "transitions/pic_show.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

namespace player {

// Copies are written at the encoder's default settings.
constexpr int kCopyJpegQuality = 90;

void TMainForm::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event->key());
    event->accept();
}

void TMainForm::FormKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Escape:
        if (messages::confirm(QStringLiteral("Quitter le lumivelle ?"), messages::Buttons::YesCancel)
            == messages::Answer::Yes)
            close();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_Up:
    case Qt::Key_Right:
        B_SuivClick();
        return;
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Down:
        B_PrecClick();
        return;
    default:
        ImageScreenClick();
    }
}

void TMainForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        ImageScreenClick();
}

// Clicks on the picture and on the caption count as clicks on the window; they stop here
// so the window does not see them a second time.
bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        ImageScreenClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::ImageScreenClick()
{
    m_toolbarShown = !m_toolbarShown;
    PanelLumivelle->setVisible(m_toolbarShown);
    setCursorsHidden(!m_toolbarShown);
}

void TMainForm::B_QuitClick()
{
    close();
}

// Saves the picture the control holds (fitted, with its border) as a JPEG file. The show
// stays paused afterwards.
void TMainForm::Copier_ImageClick()
{
    if (!m_allowCopy)
        return;
    if (Timer.isEnabled())
        Timer.setEnabled(false);
    const QString path = m_chooseCopyFile ? m_chooseCopyFile(this) : runSaveDialog();
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)) {
        const QString question = QStringLiteral("le fichier < ") + QFileInfo(path).fileName()
                                 + QStringLiteral(" > existe déjà,\n\nécrasez le fichier existant ?");
        if (messages::confirm(question, messages::Buttons::YesCancel) != messages::Answer::Yes)
            return;
    }
    if (ImageScreen->Picture().isNull())
        return;
    if (auto saved = imaging::saveJpegFile(ImageScreen->Picture(), path, kCopyJpegQuality); !saved)
        reportFailure(saved.error().message);
}

QString TMainForm::runSaveDialog()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Images JPEG (*.jpg)"));
    dialog.setDefaultSuffix(QStringLiteral("jpg"));
    // The overwrite question is the window's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void TMainForm::AproposdeClick()
{
    messages::plain(QStringLiteral("Tolvarine\n\nLecteur des lumivelles créés avec Lumivelle."));
}

// Music: the end of playback, whatever ended it, restarts the file after one second.
void TMainForm::playMusic()
{
    connect(m_music.get(), &ShowMusic::playbackEnded, this, &TMainForm::MediaPlayer1Notify, Qt::UniqueConnection);
    m_diagnostics.trace(QStringLiteral("music play ") + m_musicPath);
    m_music->play(m_musicPath); // a failure leaves the show silent
}

void TMainForm::stopMusic()
{
    if (!m_soundPlaying)
        return;
    disconnect(m_music.get(), &ShowMusic::playbackEnded, this, &TMainForm::MediaPlayer1Notify);
    m_music->close();
    m_diagnostics.trace(QStringLiteral("music stop"));
}

void TMainForm::MediaPlayer1Notify()
{
    m_music->pauseBeforeRestart();
    if (m_soundPlaying && !m_closed)
        playMusic();
}

void TMainForm::B_SonClick()
{
    if (m_soundPlaying) {
        stopMusic();
        m_soundPlaying = false;
        B_Son->setIcon(playerIcon(PlayerIcon::SoundOff));
        return;
    }
    playMusic();
    m_soundPlaying = true;
    B_Son->setIcon(playerIcon(PlayerIcon::SoundOn));
}

} // namespace player
