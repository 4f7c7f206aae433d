// TMainForm: the timer, the play buttons and showing one slide.
#include "player/window/main_form.h"

#include "base/file_bytes.h"
#include "ui/messages.h"
#include "imaging/jpeg_codec.h"
#include "player/logic/slide_layout.h"
#include "transitions/pic_show.h"

#include <QLabel>
#include <QWindow>

namespace player {

void TMainForm::TimerTimer() { m_sequencer.tick(); }
void TMainForm::B_LecClick() { m_sequencer.play(); }
void TMainForm::B_PauseClick() { m_sequencer.pause(); }
void TMainForm::B_PrecClick() { m_sequencer.previous(); }
void TMainForm::B_SuivClick() { m_sequencer.next(); }

// A slide that cannot be shown is reported; the timer was disabled before, so the show
// stops on the slide before it and Play goes on after it.
bool TMainForm::ShowSlide(int index)
{
    const TSlideItem &slide = m_slides[std::size_t(index)];
    if (auto loaded = LoadSlide(slide); !loaded) {
        reportFailure(loaded.error().message);
        return false;
    }
    const TSlideRecord &record = slide.record;
    LabelComment->clear();
    LabelComment->setText(record.caption);
    QPalette captionPalette = LabelComment->palette();
    captionPalette.setColor(QPalette::WindowText, toQColor(record.captionColour));
    LabelComment->setPalette(captionPalette);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, toQColor(record.backgroundColour));
    setPalette(windowPalette);

    m_currentBorder = record.border;
    m_currentBorderColour = record.borderColour;
    m_currentStyle = slideStyle(record.style);
    DisplaySlide(index);
    return true;
}

// Reads the slide's JPEG data from the open executable and decodes it at full size; the
// previous slide's picture is released first, so one decoded picture is held at a time.
Result<void> TMainForm::LoadSlide(const TSlideItem &slide)
{
    m_slideBitmap = QImage();
    if (slide.record.imageSize > kMaxPictureFileBytes)
        return fail(QStringLiteral("Image trop grande : %1 octets.").arg(slide.record.imageSize));
    if (!m_executable.seek(slide.jpegOffset))
        return fail(m_executable.errorString());
    const QByteArray data = m_executable.read(slide.record.imageSize);
    if (data.size() != slide.record.imageSize)
        return fail(QStringLiteral("Lecture de l'image impossible : %1").arg(m_executable.errorString()));
    auto decoded = imaging::decodeJpeg(data);
    if (!decoded)
        return fail(decoded.error().message);
    m_slideBitmap = std::move(*decoded);
    return {};
}

void TMainForm::DisplaySlide(int index)
{
    if (ImageScreen->Busy())
        ImageScreen->Stop();
    ImageScreen->setStyle(transitions::TShowStyle(m_currentStyle));
    const bool caption = !LabelComment->text().isEmpty();
    LabelComment->setVisible(caption);
    layoutComponents();

    const QSize area = availablePictureArea(size(), caption);
    if (auto fitted = fitSlidePicture(m_slideBitmap, area, m_maxQuality); !fitted) {
        reportFailure(fitted.error().message);
        return;
    }
    // The first slide also starts from the bare background: the control may not have been
    // painted yet, and its old picture would be blank white.
    if (ImageScreen->Picture().isNull()
        || clearsBeforeTransition(m_slideBitmap.size(), ImageScreen->Picture().size(), m_currentStyle)) {
        ImageScreen->Clear();
        repaintPictureNow();
    }
    if (m_currentBorder)
        drawSlideBorder(m_slideBitmap, m_currentBorderColour);
    ImageScreen->setPicture(m_slideBitmap);
    m_shownIndex = index;
    m_diagnostics.trace(QStringLiteral("show %1 %2x%3 style=%4 caption=%5")
                            .arg(index)
                            .arg(m_slideBitmap.width())
                            .arg(m_slideBitmap.height())
                            .arg(m_currentStyle)
                            .arg(LabelComment->text()));
    ImageScreen->Execute();
}

// The transition starts from what the control last painted. Before the window is on the
// screen a repaint paints nothing, so the control is then rendered off screen, which
// paints its background all the same.
void TMainForm::repaintPictureNow()
{
    const QWindow *window = windowHandle();
    if (window && window->isExposed())
        ImageScreen->repaint();
    else
        ImageScreen->grab();
}

void TMainForm::reportFailure(const QString &message)
{
    m_diagnostics.trace(QStringLiteral("error ") + message);
    messages::error(message);
}

} // namespace player
