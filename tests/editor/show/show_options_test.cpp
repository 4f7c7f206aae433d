// The show options dialog through its buttons: the controls hold the options, "&Ok"
// copies the music beside the show, the test sound loops until the dialog closes, and
// every "&Aide" opens its page.
#include "editor/shell/help.h"
#include "editor/shell/help_viewer.h"
#include "editor/show/form_copy_lumiv.h"
#include "editor/show/form_projet.h"
#include "editor/show/test_sound.h"
#include "show_window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

using namespace editor;
using namespace show_test;

namespace {

class FakeSound final : public TestSound {
public:
    void open(const QString &path) override
    {
        opened << path;
        m_open = true;
        stopped = false;
    }
    void playFromStart() override
    {
        ++restarts;
        stopped = false;
    }
    bool isOpen() const override { return m_open; }
    bool isStopped() const override { return stopped; }
    void close() override
    {
        m_open = false;
        ++closes;
    }
    QStringList opened;
    int restarts = 0;
    int closes = 0;
    bool stopped = false;

private:
    bool m_open = false;
};

class ShowOptionsTest : public ShowWindowTest {
protected:
    void SetUp() override
    {
        ShowWindowTest::SetUp();
        newShow(QStringLiteral("Noel.dap"));
        QDir(m_dir.path()).mkpath(QStringLiteral("musique"));
        QDir(m_dir.path()).mkpath(QStringLiteral("ailleurs"));
        music = file(QStringLiteral("musique/ete.mp3"));
        writeFile(music, "ID3 music");
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QPushButton *button(QWidget &dialog, const char *name)
    {
        return dialog.findChild<QPushButton *>(QString::fromLatin1(name));
    }
    // Opens the options (F9) and runs `act` in the dialog.
    void options(std::function<void(TFormProjet &)> act)
    {
        whenModal<TFormProjet>(std::move(act));
        press(Qt::Key_F9);
    }
    TFormProjet &form() { return *area().formProjet(); }
    QString music;
};

} // namespace

TEST_F(ShowOptionsTest, OkCopiesTheChosenMusicBesideTheShowAndNamesTheCopy)
{
    m_dialogs->musics.push_back(music);
    options([](TFormProjet &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Options du lumivelle : Noel"));
        EXPECT_FALSE(dialog.ButtonTest->isEnabled()) << "no music yet";
        QTest::mouseClick(dialog.ButtonParcourir, Qt::LeftButton);
        EXPECT_TRUE(dialog.ButtonTest->isEnabled());
        EXPECT_TRUE(dialog.ButtonAucunSon->isEnabled());
        QTest::mouseClick(button(dialog, "ButtonOk"), Qt::LeftButton);
    });
    const QString copy = file(QStringLiteral("ete.mp3"));
    EXPECT_EQ(form().music(), copy);
    QFile copied(copy);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("ID3 music"));
    EXPECT_TRUE(document().modified);

    // A file of the same name chosen elsewhere is not copied: the options name it.
    const QString other = file(QStringLiteral("ailleurs/ete.mp3"));
    writeFile(other, "another song");
    m_dialogs->musics.push_back(other);
    options([](TFormProjet &dialog) {
        QTest::mouseClick(dialog.ButtonParcourir, Qt::LeftButton);
        QTest::mouseClick(button(dialog, "ButtonOk"), Qt::LeftButton);
    });
    EXPECT_EQ(form().music(), other);
    copied.seek(0);
    EXPECT_EQ(copied.readAll(), QByteArray("ID3 music"));
}

TEST_F(ShowOptionsTest, ChangesStayAfterCancelWithoutMarkingTheShowModified)
{
    document().modified = false;
    options([](TFormProjet &dialog) {
        EXPECT_TRUE(dialog.CheckBoucle->isChecked()) << "a new show loops";
        EXPECT_TRUE(dialog.CheckCopie->isChecked());
        EXPECT_TRUE(dialog.CheckQualite->isChecked());
        QTest::mouseClick(dialog.CheckBoucle, Qt::LeftButton, {}, QPoint(6, dialog.CheckBoucle->height() / 2));
        QTest::mouseClick(button(dialog, "ButtonAnnuler"), Qt::LeftButton);
    });
    EXPECT_FALSE(area().project().options.loop);
    EXPECT_FALSE(document().modified);

    // A new show resets the options.
    newShow(QStringLiteral("autre.dap"));
    EXPECT_TRUE(area().project().options.loop);
}

TEST_F(ShowOptionsTest, AFailedMusicCopyIsReportedAndLeavesTheShowUnmodified)
{
    document().modified = false;
    m_dialogs->musics.push_back(file(QStringLiteral("ailleurs/disparue.mp3")));
    options([](TFormProjet &dialog) {
        QTest::mouseClick(dialog.ButtonParcourir, Qt::LeftButton);
        QTest::mouseClick(button(dialog, "ButtonOk"), Qt::LeftButton);
    });
    ASSERT_FALSE(m_prompter.asked.empty());
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Error);
    EXPECT_TRUE(m_prompter.asked.back().text.contains(QStringLiteral("disparue.mp3")));
    EXPECT_FALSE(document().modified);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("disparue.mp3"))));

    // Opening the dialog again forgets a music file that no longer exists.
    options([](TFormProjet &dialog) {
        EXPECT_TRUE(dialog.EditWave->text().isEmpty());
        QTest::mouseClick(button(dialog, "ButtonAnnuler"), Qt::LeftButton);
    });
}

TEST_F(ShowOptionsTest, TheTestSoundLoopsUntilTheDialogClosesAndNoneAsksFirst)
{
    auto *sound = new FakeSound;
    form().setTestSound(sound);
    form().setMusic(music);
    options([&](TFormProjet &dialog) {
        QTest::mouseClick(dialog.ButtonTest, Qt::LeftButton);
        EXPECT_EQ(sound->opened, QStringList{music});
        sound->stopped = true;
        emit sound->notify();
        EXPECT_EQ(sound->restarts, 1) << "played again from the start";
        emit sound->notify();
        EXPECT_EQ(sound->restarts, 1) << "still playing: nothing to do";

        m_prompter.answers.push_back(messages::Answer::Cancel);
        QTest::mouseClick(dialog.ButtonAucunSon, Qt::LeftButton);
        EXPECT_EQ(dialog.EditWave->text(), music);
        QTest::mouseClick(dialog.ButtonAucunSon, Qt::LeftButton);
        EXPECT_TRUE(dialog.EditWave->text().isEmpty());
        EXPECT_FALSE(dialog.ButtonTest->isEnabled());
        EXPECT_FALSE(sound->isOpen()) << "removing the music stops it";
        QTest::mouseClick(button(dialog, "ButtonOk"), Qt::LeftButton);
    });
    EXPECT_EQ(messages().count(QStringLiteral("Supprimer le son ?")), 2);
    EXPECT_TRUE(area().project().options.music.isEmpty());

    form().setMusic(music);
    options([&](TFormProjet &dialog) {
        QTest::mouseClick(dialog.ButtonTest, Qt::LeftButton);
        QTest::mouseClick(button(dialog, "ButtonAnnuler"), Qt::LeftButton);
    });
    EXPECT_FALSE(sound->isOpen()) << "closing the dialog closes the sound";
}

TEST_F(ShowOptionsTest, WithoutAShowF9OpensNothing)
{
    document().path.clear();
    window().setActiveTab(2);
    run(CommandId::OptionLumivelle);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ShowOptionsTest, EveryHelpButtonOpensItsPage)
{
    setHelpFile(QStringLiteral(LUMIVELLE_BIN_DIR "/Lumivelle.chm"));
    ASSERT_TRUE(helpFileAvailable());
    options([](TFormProjet &dialog) {
        QTest::mouseClick(button(dialog, "ButtonAide"), Qt::LeftButton);
        ASSERT_NE(currentHelpViewer(), nullptr);
        EXPECT_EQ(currentHelpViewer()->browser()->documentTitle(), QStringLiteral("Options du lumivelle"));
        QTest::mouseClick(button(dialog, "ButtonAnnuler"), Qt::LeftButton);
    });
    TFormCopyLumiv copy;
    QTest::mouseClick(button(copy, "ButtonAide"), Qt::LeftButton);
    EXPECT_EQ(currentHelpViewer()->browser()->documentTitle(), QStringLiteral("Copier les paramètres"));
    currentHelpViewer()->close();
    setHelpFile(QStringLiteral("/nowhere/Lumivelle.chm"));
}
