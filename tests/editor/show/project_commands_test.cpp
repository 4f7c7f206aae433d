// The project commands through the window: new, save, open, save as and the old script
// import, the save and replace questions, refused files, the command line, the closing
// question and the show remembered at exit.
#include "documents/show/project_file.h"
#include "editor/show/form_projet.h"
#include "show_window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace editor;
using namespace show_test;

namespace {

const QString kSaveQuestion = QStringLiteral("Enregistrer les modifications du lumivelle ouvert ?");
const QString kGone = QStringLiteral("Certains fichiers n'existent plus à l'emplacement spécifié");
const QString kNotCompatible = QStringLiteral("Fichier non compatible avec cette version de Lumivelle");

QByteArray slideLines(const QString &path, int seconds)
{
    return path.toUtf8() + "\r\n" + QByteArray::number(seconds) + "\r\n0\r\n255\r\n65280\r\nVieille légende\r\n16711680\r\n";
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

TEST_F(ShowWindowTest, ANewShowIsOpenAtOnceButWrittenOnlyWhenSaved)
{
    const QString existing = file(QStringLiteral("old.dap"));
    ASSERT_TRUE(writeFile(existing, "keep me"));
    m_dialogs->saves.push_back(existing);
    m_prompter.answers.push_back(messages::Answer::Cancel);
    run(CommandId::NewProject);
    EXPECT_EQ(m_dialogs->titles, QStringList{QStringLiteral("Enregistrer le nouveau lumivelle sous...")});
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Le fichier < old.dap > existe déjà\rremplacer le fichier existant ?")});
    EXPECT_FALSE(document().isOpen());

    newShow(QStringLiteral("neuf.dap"));
    EXPECT_EQ(document().path, file(QStringLiteral("neuf.dap")));
    EXPECT_FALSE(document().modified);
    EXPECT_FALSE(QFileInfo::exists(document().path));
    // Quitting asks nothing for a show without changes.
    EXPECT_TRUE(window().close());
    EXPECT_EQ(messages().count(kSaveQuestion), 0);
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("neuf.dap"))));
}

TEST_F(ShowWindowTest, ASavedShowOpensAgainWithItsSlidesAndOptions)
{
    newShow(QStringLiteral("tour.dap"));
    const QStringList paths = addPictures(3);
    slides().slide(1).caption = QStringLiteral("Le deuxième");
    slides().slide(2).style = 33;
    area().formProjet()->CheckQualite->setChecked(false);
    press(Qt::CTRL | Qt::Key_S);
    EXPECT_FALSE(document().modified);
    EXPECT_EQ(showdoc::LoadProjectFile(file(QStringLiteral("tour.dap"))).project.slides.size(), 3u);

    newShow(QStringLiteral("vide.dap"));
    EXPECT_TRUE(area().formProjet()->CheckQualite->isChecked());
    window().setActiveTab(1);
    m_dialogs->opens.push_back(file(QStringLiteral("tour.dap")));
    press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(document().path, file(QStringLiteral("tour.dap")));
    EXPECT_EQ(slidePaths(), paths);
    EXPECT_EQ(slides().slide(1).caption, QStringLiteral("Le deuxième"));
    EXPECT_EQ(slides().slide(2).style, 33);
    EXPECT_FALSE(area().project().options.maxQuality);
    EXPECT_EQ(window().activeTab(), 2);
    EXPECT_FALSE(document().modified);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ShowWindowTest, TheSaveQuestionGoesOnStopsOrSavesFirst)
{
    newShow(QStringLiteral("premier.dap"));
    addPictures(1);
    m_prompter.answers = {messages::Answer::Cancel};
    run(CommandId::NewProject);
    EXPECT_EQ(messages(), QStringList{kSaveQuestion});
    EXPECT_EQ(document().path, file(QStringLiteral("premier.dap")));
    EXPECT_EQ(m_dialogs->titles.size(), 1) << "Cancel stops before the file dialog";

    m_prompter.answers = {messages::Answer::Yes};
    m_dialogs->saves.push_back(file(QStringLiteral("second.dap")));
    run(CommandId::NewProject);
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("premier.dap")))) << "Yes saves first";
    EXPECT_EQ(document().path, file(QStringLiteral("second.dap")));
    EXPECT_TRUE(slides().isEmpty());

    addPictures(1, QStringLiteral("b"));
    m_prompter.answers = {messages::Answer::No};
    m_dialogs->saves.push_back(file(QStringLiteral("troisieme.dap")));
    run(CommandId::NewProject);
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("second.dap")))) << "No goes on without saving";
    EXPECT_EQ(document().path, file(QStringLiteral("troisieme.dap")));
}

TEST_F(ShowWindowTest, AYesWhoseSaveFailsStopsTheCommandAndKeepsTheChanges)
{
    newShow(QStringLiteral("protege.dap"));
    addPictures(2);
    press(Qt::CTRL | Qt::Key_S);
    QFile(document().path).setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QByteArray before = [&] {
        QFile f(document().path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    slides().slide(0).displayTime = 42;
    document().modified = true;
    const QString readOnly = QStringLiteral("Impossible d'enregistrer le lumivelle :\r\rle fichier < protege.dap > est en "
                                            "lecture seule,\rutilisez l'explorateur de Windows afin de localiser\rce "
                                            "fichier et de décocher cet attribut.");

    m_prompter.answers = {messages::Answer::Yes};
    m_dialogs->opens.push_back(file(QStringLiteral("autre.dap")));
    run(CommandId::OpenProjet);
    EXPECT_EQ(messages(), (QStringList{kSaveQuestion, readOnly}));
    EXPECT_EQ(m_dialogs->opens.size(), 1u) << "the open dialog never came";
    EXPECT_TRUE(document().modified);
    EXPECT_EQ(slides().slide(0).displayTime, 42);

    // Closing the window: the same question, the same refusal, the window stays.
    m_prompter.answers = {messages::Answer::Yes};
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
    QFile f(document().path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before) << "nothing was written";
    QFile(document().path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(ShowWindowTest, SaveAsAsksBeforeReplacingAndThenSavesUnderTheNewName)
{
    newShow(QStringLiteral("a.dap"));
    addPictures(1);
    const QString taken = file(QStringLiteral("pris.dap"));
    ASSERT_TRUE(writeFile(taken, "someone else's"));
    m_dialogs->saves.push_back(taken);
    m_prompter.answers = {messages::Answer::Cancel};
    run(CommandId::SaveProjetAs);
    EXPECT_EQ(m_dialogs->titles.last(), QStringLiteral("Enregistrer le lumivelle sous..."));
    EXPECT_EQ(document().path, file(QStringLiteral("a.dap")));
    m_dialogs->saves.push_back(taken);
    run(CommandId::SaveProjetAs);
    EXPECT_EQ(document().path, taken);
    EXPECT_EQ(showdoc::LoadProjectFile(taken).verdict, showdoc::ProjectVerdict::Loaded);
    EXPECT_FALSE(document().modified);
}

TEST_F(ShowWindowTest, TheFixtureOpensWithItsMissingPicturesReportedOnce)
{
    m_dialogs->opens.push_back(QStringLiteral(LUMIVELLE_FIXTURES "/documents/noel.dap"));
    run(CommandId::OpenProjet);
    EXPECT_EQ(messages(), QStringList{kGone});
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Information);
    ASSERT_EQ(slides().count(), 3);
    EXPECT_EQ(slides().slide(1).thumbnail.size(), QSize(75, 100)) << "the stored thumbnail";
    const showdoc::ShowOptions options = area().project().options;
    EXPECT_FALSE(options.loop);
    EXPECT_TRUE(options.allowCopy);
    EXPECT_FALSE(options.maxQuality);
    EXPECT_EQ(options.music, QStringLiteral("/musique/Été.mp3"));
    EXPECT_TRUE(document().isOpen());
}

TEST_F(ShowWindowTest, RefusedProjectsLeaveNoShowOpen)
{
    QFile fixture(QStringLiteral(LUMIVELLE_FIXTURES "/documents/noel.dap"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray good = fixture.readAll();
    QByteArray noSlides = good.left(288);
    noSlides[24] = 0;
    const QString empty = file(QStringLiteral("vide.dap")), cut = file(QStringLiteral("coupe.dap"));
    ASSERT_TRUE(writeFile(empty, noSlides));
    ASSERT_TRUE(writeFile(cut, good.left(good.size() - 100)));

    newShow();
    addPictures(1);
    document().modified = false;
    m_dialogs->opens.push_back(empty);
    run(CommandId::OpenProjet);
    EXPECT_EQ(messages(), QStringList{kNotCompatible});
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Warning);
    EXPECT_FALSE(document().isOpen());
    EXPECT_TRUE(slides().isEmpty());

    m_prompter.asked.clear();
    m_dialogs->opens.push_back(cut);
    run(CommandId::OpenProjet);
    EXPECT_EQ(messages(), (QStringList{kGone, kNotCompatible}));
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Error);
    EXPECT_FALSE(document().isOpen());
    EXPECT_TRUE(slides().isEmpty());
    EXPECT_FALSE(document().modified);
}

TEST_F(ShowWindowTest, AnOldScriptBecomesAShowNamedAfterItUntilSaved)
{
    const QString script = file(QStringLiteral("Noel.spr"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVELLE_FIXTURES "/documents/ancien.spr"), script));
    m_dialogs->scripts.push_back(script);
    run(CommandId::OpenAncienScript);
    EXPECT_EQ(messages(), QStringList{kGone}) << "both pictures are missing";
    EXPECT_EQ(document().path, file(QStringLiteral("Noel.dap")));
    EXPECT_TRUE(slides().isEmpty());
    EXPECT_FALSE(document().modified);
    EXPECT_FALSE(QFileInfo::exists(document().path));
    EXPECT_FALSE(area().project().options.loop);
    EXPECT_EQ(area().project().options.music, QStringLiteral("/musique/ancien.wav"));

    const QString a = picture(QStringLiteral("a.png")), b = picture(QStringLiteral("b.png"));
    const QString second = file(QStringLiteral("deux.spr"));
    ASSERT_TRUE(writeFile(second, "1\r\n\r\n1\r\n1\r\n" + slideLines(a, 4) + slideLines(b, 6)));
    m_dialogs->scripts.push_back(second);
    run(CommandId::OpenAncienScript);
    EXPECT_EQ(slidePaths(), (QStringList{a, b}));
    EXPECT_EQ(slides().slide(1).displayTime, 6);
    EXPECT_EQ(slides().slide(1).caption, QStringLiteral("Vieille légende"));
    EXPECT_EQ(slides().slide(0).thumbnail.size(), QSize(100, 75));
    EXPECT_EQ(window().activeTab(), 2);
}

TEST_F(ShowWindowTest, AMalformedScriptClosesTheShowWithItsSlides)
{
    newShow();
    addPictures(2);
    document().modified = false;
    const QString script = file(QStringLiteral("casse.spr"));
    ASSERT_TRUE(writeFile(script, "0\r\n\r\n1\r\n1\r\n/p/a.jpg\r\ncinq\r\n"));
    m_dialogs->scripts.push_back(script);
    run(CommandId::OpenAncienScript);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Ligne 6 du script : « cinq » n'est pas un nombre entier.")});
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Error);
    EXPECT_FALSE(document().isOpen()) << "no show is left named after the script";
    EXPECT_TRUE(slides().isEmpty());
    EXPECT_FALSE(document().modified);
}

TEST_F(ShowWindowTest, ClosingAsksForAModifiedShowAndTheShowIsRememberedAtExit)
{
    newShow(QStringLiteral("derniere.dap"));
    addPictures(1);
    m_prompter.answers = {messages::Answer::Cancel};
    EXPECT_FALSE(window().close());
    EXPECT_EQ(messages(), QStringList{kSaveQuestion});
    m_prompter.answers = {messages::Answer::Yes};
    EXPECT_TRUE(window().close());
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("derniere.dap"))));
    m_window.reset();
    const ConfigFile config(m_dir.filePath(QStringLiteral("Lumivelle.cfg")));
    EXPECT_EQ(config.readString(QStringLiteral("Application"), QStringLiteral("DerFile"), QString()),
              file(QStringLiteral("derniere.dap")));
}

TEST_F(ShowWindowTest, AShowGivenOnTheCommandLineIsLoadedAtStartUp)
{
    m_window.reset();
    m_config = std::make_unique<ConfigFile>(m_dir.filePath(QStringLiteral("other.cfg")));
    m_window = std::make_unique<TMainLumivelle3000>(*m_config);
    m_area = installShowArea(*m_window, std::make_unique<FakeShowDialogs>());
    m_window->setCommandLine({QStringLiteral(LUMIVELLE_FIXTURES "/documents/noel.dap")});
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return slides().count() == 3; }, 5000));
    EXPECT_EQ(document().path, QStringLiteral(LUMIVELLE_FIXTURES "/documents/noel.dap"));
    EXPECT_EQ(messages(), QStringList{kGone});
}
