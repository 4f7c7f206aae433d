#pragma once
// Helpers of the player tests: a timer on a fake clock, a prompter that answers the
// message boxes, a recording music object and show files written in a temporary folder.
#include "ui/messages.h"
#include "tests/recording_prompter.h"
#include "imaging/jpeg_codec.h"
#include "player/logic/player_timer.h"
#include "player/window/show_music.h"
#include "player/payload/show_payload.h"

#include <QFile>
#include <QImage>
#include <QString>
#include <deque>
#include <ostream>
#include <vector>

// Failures print texts as texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Fires its tick when `interval` milliseconds of fake time have passed while enabled;
// a change of interval or of the enabled flag starts the period again.
class FakeTimer final : public player::PlayerTimer {
public:
    void advance(qint64 ms)
    {
        const qint64 until = m_now + ms;
        while (isEnabled() && interval() > 0 && m_periodStart + interval() <= until) {
            m_now = m_periodStart + interval();
            m_periodStart = m_now;
            fire();
        }
        m_now = until;
    }
    qint64 now() const { return m_now; }

protected:
    void reschedule() override { m_periodStart = m_now; }

private:
    qint64 m_now = 0;
    qint64 m_periodStart = 0;
};

class RecordingMusic final : public player::ShowMusic {
public:
    bool play(const QString &path) override
    {
        played.push_back(path);
        return true;
    }
    void close() override { ++closed; }
    void pauseBeforeRestart() override { ++pauses; }
    void end() { emit playbackEnded(); }

    std::vector<QString> played;
    int closed = 0;
    int pauses = 0;
};

inline QImage solidPicture(int w, int h, QRgb colour)
{
    QImage p(w, h, QImage::Format_BGR888);
    p.fill(QColor::fromRgb(colour));
    return p;
}

inline QByteArray jpegOf(const QImage &picture)
{
    return imaging::encodeJpeg(picture, 90).value();
}

struct ShowSlideData {
    player::TSlideRecord record;
    QByteArray jpeg; // empty: a record with image size 0
};

// Writes a show file: a stand-in for the player program, then the payload.
inline void writeShowFile(const QString &path, const player::TShowHeader &header,
                          const std::vector<ShowSlideData> &slides)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return;
    file.write(QByteArray(1000, '\x7F'));
    player::PayloadWriter writer(file);
    (void)writer.writeHeader(header);
    for (const ShowSlideData &s : slides)
        (void)(s.jpeg.isEmpty() ? writer.writeEmptySlide(s.record) : writer.writeSlide(s.record, s.jpeg));
    (void)writer.finish();
}
