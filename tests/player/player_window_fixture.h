#pragma once
// A TMainForm over a show file written by the test, with a fake timer, recorded music, a
// trace file and answered message boxes. Transitions run in place in one frame, so every
// slide is on screen when its handler returns.
#include "player/window/main_form.h"
#include "player_test_support.h"
#include "transitions/pic_show.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

inline ShowSlideData slideOf(const QImage &picture, const QString &caption = {}, int seconds = 5, int style = 56)
{
    ShowSlideData s;
    s.record.displayTime = seconds;
    s.record.caption = caption;
    s.record.style = style;
    s.jpeg = jpegOf(picture);
    return s;
}

class PlayerWindow : public ::testing::Test {
protected:
    QString showPath() const { return dir.filePath(QStringLiteral("show.exe")); }
    QString tracePath() const { return dir.filePath(QStringLiteral("trace.txt")); }

    void open(const player::TShowHeader &header, const std::vector<ShowSlideData> &slides, QSize window = {1024, 768})
    {
        writeShowFile(showPath(), header, slides);
        openFile(window);
    }

    void openFile(QSize window = {1024, 768})
    {
        player::PlayerSetup setup;
        setup.showFile = showPath();
        auto fakeTimer = std::make_unique<FakeTimer>();
        timer = fakeTimer.get();
        setup.timer = std::move(fakeTimer);
        auto recording = std::make_unique<RecordingMusic>();
        music = recording.get();
        setup.music = std::move(recording);
        setup.diagnostics = player::ShowDiagnostics(tracePath(), snapshotFolder);
        setup.chooseCopyFile = [this](QWidget *) {
            ++chooserCalls;
            return chosenCopyPath;
        };
        form = std::make_unique<player::TMainForm>(std::move(setup));
        form->ImageScreen->setThreaded(false);
        form->ImageScreen->setStep(100);
        form->resize(window);
    }

    QStringList trace() const
    {
        QFile file(tracePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QStringList shownLines() const { return trace().filter(QStringLiteral("show ")); }

    QTemporaryDir dir;
    QString snapshotFolder;
    RecordingPrompter prompter;
    FakeTimer *timer = nullptr;
    RecordingMusic *music = nullptr;
    QString chosenCopyPath;
    int chooserCalls = 0;
    std::unique_ptr<player::TMainForm> form;
};
