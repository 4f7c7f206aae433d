#pragma once
// The sound "&Tester" plays in the show options dialog: one file, started again from its
// beginning whenever it stops, until the dialog closes it. Every failure is ignored.
#include <QObject>
#include <QString>

namespace ui { class MediaSound; }

namespace editor {

class TestSound : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // Opens the file, asks for the end-of-playback notification and plays.
    virtual void open(const QString &path) = 0;
    virtual void playFromStart() = 0;
    virtual bool isOpen() const = 0;
    virtual bool isStopped() const = 0;
    virtual void close() = 0;

signals:
    // The end-of-playback notification.
    void notify();
};

// Qt Multimedia behind TestSound.
class MediaTestSound final : public TestSound {
    Q_OBJECT

public:
    using TestSound::TestSound;
    void open(const QString &path) override;
    void playFromStart() override;
    bool isOpen() const override;
    bool isStopped() const override;
    void close() override;

private:
    ui::MediaSound *sound();
    ui::MediaSound *m_sound = nullptr;
};

} // namespace editor
