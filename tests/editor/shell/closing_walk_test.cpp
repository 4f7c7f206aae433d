// Closing the whole window with a modified show and a modified album: the two save
// questions in order, Cancel keeping the window, Yes saving the real files (and keeping
// the window when a save fails), then the settings and the keyword file written when the
// window goes. A save question answered Yes whose save fails stops the command that asked
// it, whichever it is.
#include "whole_window_fixture.h"

#include "editor/albums/album_area.h"
#include "editor/shell/close_questions.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace editor;
using walk_test::ModalAnswerer;
using walk_test::WholeWindowTest;
using Answer = messages::Answer;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ClosingWalkTest : public WholeWindowTest {
protected:
    // A modified show and a modified album, both already saved once.
    void modifyBoth()
    {
        openShowWith({"a.jpg", "b.png"});
        window().command(CommandId::SaveProjet).execute();
        openAlbumWith({"a.jpg", "b.png"});
        window().command(CommandId::SaveCollec).execute();
        m_showDialogs->images.push_back({photo("c.bmp")});
        window().setActiveTab(2);
        window().command(CommandId::AddFileLumiv).execute();
        m_albumDialogs->imageFiles.push_back({photo("c.bmp")});
        window().setActiveTab(3);
        window().command(CommandId::AddFileCollec).execute();
        settle();
        ASSERT_TRUE(showArea().document().modified);
        ASSERT_TRUE(albumArea().isModified());
        m_prompter.asked.clear();
    }
    // A regular file in the place of a folder: nothing can be written below it.
    QString unwritable(const QString &name)
    {
        QFile blocker(file("bloque"));
        EXPECT_TRUE(blocker.open(QIODevice::WriteOnly));
        return file("bloque/") + name;
    }
};

TEST_F(ClosingWalkTest, CancelKeepsTheWindowAndYesSavesBothFiles)
{
    modifyBoth();
    const QByteArray show = contents(file("show.dap")), album = contents(file("album.ccl"));

    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::Quitter, ModalAnswerer::Mode::Cancel));
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(messages(), QStringList({kSaveShowQuestion}));

    // Yes to the show saves it; Cancel to the album still keeps the window.
    m_prompter.asked.clear();
    m_prompter.answers = {Answer::Yes, Answer::Cancel};
    QTest::keyClick(&window(), Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(messages(), QStringList({kSaveShowQuestion, kSaveAlbumQuestion}));
    EXPECT_NE(contents(file("show.dap")), show);
    EXPECT_FALSE(showArea().document().modified);
    EXPECT_EQ(contents(file("album.ccl")), album);

    m_prompter.asked.clear();
    m_prompter.answers = {Answer::Yes};
    EXPECT_TRUE(window().close());
    EXPECT_EQ(messages(), QStringList({kSaveAlbumQuestion}));
    EXPECT_NE(contents(file("album.ccl")), album);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(ClosingWalkTest, NoClosesWithoutSaving)
{
    modifyBoth();
    const QByteArray show = contents(file("show.dap")), album = contents(file("album.ccl"));
    m_prompter.answers = {Answer::No, Answer::No};
    EXPECT_TRUE(window().close());
    EXPECT_EQ(messages(), QStringList({kSaveShowQuestion, kSaveAlbumQuestion}));
    EXPECT_EQ(contents(file("show.dap")), show);
    EXPECT_EQ(contents(file("album.ccl")), album);
}

TEST_F(ClosingWalkTest, AFailedSaveKeepsTheWindowOpenAndTheDocumentModified)
{
    m_showDialogs->saves.push_back(unwritable("show.dap"));
    window().command(CommandId::NewProject).execute();
    m_showDialogs->images.push_back({photo("a.jpg")});
    window().setActiveTab(2);
    window().command(CommandId::AddFileLumiv).execute();
    settle();
    m_prompter.answers = {Answer::Yes};
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
    ASSERT_EQ(m_prompter.asked.size(), 2u); // the question, then the failure
    EXPECT_EQ(m_prompter.asked[1].kind, messages::Kind::Error);
    EXPECT_TRUE(showArea().document().modified);

    // The same for the album, once the show is left unsaved.
    m_albumDialogs->albumFiles.push_back(unwritable("album.ccl"));
    window().setActiveTab(3);
    window().command(CommandId::NewCollec).execute();
    m_albumDialogs->imageFiles.push_back({photo("b.png")});
    window().command(CommandId::AddFileCollec).execute();
    settle();
    m_prompter.asked.clear();
    m_prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(window().close());
    ASSERT_EQ(m_prompter.asked.size(), 3u);
    EXPECT_EQ(m_prompter.asked[1].text, kSaveAlbumQuestion);
    EXPECT_EQ(m_prompter.asked[2].kind, messages::Kind::Error);
    EXPECT_TRUE(albumArea().isModified());
}

TEST_F(ClosingWalkTest, YesWhoseSaveFailsStopsNewOpenImportAndTheAlbumExplorer)
{
    m_showDialogs->saves.push_back(unwritable("show.dap"));
    window().command(CommandId::NewProject).execute();
    m_showDialogs->images.push_back({photo("a.jpg")});
    window().setActiveTab(2);
    window().command(CommandId::AddFileLumiv).execute();
    settle();
    const QString showPath = showArea().document().path;
    struct Step { CommandId id; std::function<void()> queue; };
    const Step showSteps[] = {
        {CommandId::NewProject, [&] { m_showDialogs->saves.push_back(file("autre.dap")); }},
        {CommandId::OpenProjet, [&] { m_showDialogs->opens.push_back(file("autre.dap")); }},
        {CommandId::OpenAncienScript, [&] { m_showDialogs->scripts.push_back(file("autre.spr")); }},
    };
    for (const Step &step : showSteps) {
        step.queue();
        m_prompter.asked.clear();
        m_prompter.answers = {Answer::Yes};
        window().command(step.id).execute();
        EXPECT_EQ(showArea().document().path, showPath) << commandInfo(step.id).name;
        EXPECT_EQ(showArea().slides().count(), 1) << commandInfo(step.id).name;
        EXPECT_TRUE(showArea().document().modified) << commandInfo(step.id).name;
        ASSERT_EQ(m_prompter.asked.size(), 2u) << commandInfo(step.id).name;
        EXPECT_EQ(m_prompter.asked[1].kind, messages::Kind::Error);
        m_showDialogs->saves.clear();
        m_showDialogs->opens.clear();
        m_showDialogs->scripts.clear();
    }

    m_albumDialogs->albumFiles.push_back(unwritable("album.ccl"));
    window().setActiveTab(3);
    window().command(CommandId::NewCollec).execute();
    m_albumDialogs->imageFiles.push_back({photo("b.png")});
    window().command(CommandId::AddFileCollec).execute();
    settle();
    window().settings().Rep_Collec = m_work.path();
    for (CommandId id : {CommandId::NewCollec, CommandId::OpenCollec, CommandId::ExplorerCollec}) {
        m_albumDialogs->albumFiles = {file("autre.ccl")};
        m_prompter.asked.clear();
        m_prompter.answers = {Answer::Yes};
        window().command(id).execute();
        EXPECT_EQ(albumArea().fileName(), unwritable("album.ccl")) << commandInfo(id).name;
        EXPECT_EQ(albumArea().images().count(), 1) << commandInfo(id).name;
        EXPECT_EQ(albumArea().collecExplorer(), nullptr) << commandInfo(id).name;
        EXPECT_TRUE(albumArea().isModified()) << commandInfo(id).name;
        ASSERT_EQ(m_prompter.asked.size(), 2u) << commandInfo(id).name;
        EXPECT_EQ(m_prompter.asked[1].kind, messages::Kind::Error);
    }
}

TEST_F(ClosingWalkTest, TheSettingsAndTheKeywordsAreWrittenWhenTheWindowGoes)
{
    openShowWith({"a.jpg"});
    window().command(CommandId::SaveProjet).execute();
    openAlbumWith({"a.jpg"});
    albumArea().keywords().addTyped(QStringLiteral("plage"), true);
    window().command(CommandId::SaveCollec).execute();
    window().command(CommandId::ApercuActif).execute();
    EXPECT_TRUE(window().close());
    m_window.reset();

    const ConfigFile saved(file("Lumivelle.cfg"));
    EXPECT_EQ(saved.readInteger("Application", "TIV", 0), 100);
    EXPECT_EQ(saved.readString("Application", "DerFile", QString()), file("show.dap"));
    EXPECT_FALSE(saved.readBool("Application", "Apercu", true));
    EXPECT_TRUE(saved.readBool("Application", "FilterOk", false));
    EXPECT_TRUE(contents(file("motcle.cfg")).contains("plage"));
}
