// Settings across two runs, the stored panel sizes, the command line and the preview switch.
#include "editor/shell/guarded_splitter.h"
#include "window_fixture.h"

#include <QFile>
#include <QTest>

using namespace editor;

TEST_F(WindowTest, SettingsPersistAcrossTwoRuns)
{
    writeConfig("[WEB]\nTitle=Vacances\n[Application]\nTIV=12\n");
    {
        TMainLumivelle3000 &w = openWindow();
        OptionValues values = optionValuesFrom(w.settings(), [](const QString &) { return true; });
        values.cologrid = 0x00FF00;
        values.infoVignette = false;
        values.unitText = "33";
        values.albumFolder = m_dir.path();
        w.applyOptions(values);
        w.ApercuActifExecute();
        w.documents().showPath = [] { return QStringLiteral("/spectacles/mer.dap"); };
        closeWindow();
    }
    const ConfigFile written(configPath());
    EXPECT_EQ(written.readString("Application", "TIV", {}), QStringLiteral("100"));
    EXPECT_EQ(written.readString("Application", "DerFile", {}), QStringLiteral("/spectacles/mer.dap"));
    EXPECT_EQ(written.readString("WEB", "Title", {}), QStringLiteral("Vacances"));

    TMainLumivelle3000 &again = openWindow();
    const EditorSettings &s = again.settings();
    EXPECT_EQ(s.cologrid, 0x00FF00u);
    EXPECT_FALSE(s.InfoVignette);
    EXPECT_EQ(s.UnitLumivelle, 33);
    EXPECT_EQ(s.Rep_Collec, m_dir.path());
    EXPECT_FALSE(s.Apercu);
    EXPECT_FALSE(again.previewPanel()->isVisibleTo(&again));
}

TEST_F(WindowTest, StoredPanelSizesAreCheckedOnceTheWindowIsLaidOut)
{
    writeConfig("[Application]\nPanelDirTree=5000\nPanelView=120\n");
    TMainLumivelle3000 &w = openWindow();
    w.resize(800, 600);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.settings().PanelDirTree, 190);
    EXPECT_EQ(w.folderSplitter()->firstSize(), 190);
    EXPECT_EQ(w.settings().PanelView, 120);
    EXPECT_EQ(w.previewPanel()->height(), 120);
    closeWindow();
    const ConfigFile written(configPath());
    EXPECT_EQ(written.readInteger("Application", "PanelDirTree", 0), 190);
    EXPECT_EQ(written.readInteger("Application", "PanelView", 0), 120);
}

TEST_F(WindowTest, ASplitterDragStopsAtOneHundredPixelsAndWhileTheListIsBusy)
{
    TMainLumivelle3000 &w = openWindow();
    bool busy = false;
    w.stateProvider().explorer = [&] { return ListState{true, 0, busy}; };
    w.resize(800, 600);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.folderSplitter()->firstSize(), 190);
    QWidget *handle = w.folderSplitter()->handle(1);
    const auto drag = [&](int toWidth) {
        const int delta = toWidth - w.folderSplitter()->firstSize();
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(0, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(0, 5), handle->mapToGlobal(QPointF(0, 5)) + QPointF(delta, 0),
                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &move);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(0, 5));
    };
    drag(250);
    EXPECT_EQ(w.folderSplitter()->firstSize(), 250);
    drag(100);
    EXPECT_EQ(w.folderSplitter()->firstSize(), 250);
    drag(101);
    EXPECT_EQ(w.folderSplitter()->firstSize(), 101);
    busy = true;
    drag(300);
    EXPECT_EQ(w.folderSplitter()->firstSize(), 101);
}

TEST_F(WindowTest, ACommandLineThatIsNotAShowIsRefusedWithAWarning)
{
    TMainLumivelle3000 &w = openWindow();
    QString opened;
    w.openShowProject = [&](const QString &path) { opened = path; };
    w.setCommandLine({"/photos/plage.jpg"});
    w.show();
    QTRY_COMPARE(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].kind, messages::Kind::Warning);
    EXPECT_EQ(m_prompter.asked[0].text, QStringLiteral("Fichier non géré par Lumivelle."));
    EXPECT_EQ(m_prompter.asked[0].buttons, messages::Buttons::Ok);
    EXPECT_EQ(opened, QString());
}

TEST_F(WindowTest, AShowPathWithABlankGivenAsTwoParametersIsOpened)
{
    const QString show = m_dir.filePath("mes vacances.dap");
    QFile file(show);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TMainLumivelle3000 &w = openWindow();
    QString opened;
    w.openShowProject = [&](const QString &path) { opened = path; };
    w.setCommandLine(show.split(' '));
    w.show();
    QTRY_COMPARE(opened, show);
    EXPECT_TRUE(m_prompter.asked.empty());
    EXPECT_EQ(w.activeTab(), 1);
}

TEST_F(WindowTest, AnAlbumGivenOnTheCommandLineIsOpened)
{
    const QString album = m_dir.filePath("Été 2004.ccl");
    QFile file(album);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TMainLumivelle3000 &w = openWindow();
    QString show, opened;
    w.openShowProject = [&](const QString &path) { show = path; };
    w.openAlbum = [&](const QString &path) { opened = path; };
    w.setCommandLine(album.split(' '));
    w.show();
    QTRY_COMPARE(opened, album);
    EXPECT_EQ(show, QString());
    EXPECT_TRUE(m_prompter.asked.empty());
}

TEST_F(WindowTest, ThePreviewSwitchHidesAndShowsThePanel)
{
    TMainLumivelle3000 &w = openWindow();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    std::vector<bool> switched;
    QObject::connect(&w, &TMainLumivelle3000::previewSwitched, [&](bool on) { switched.push_back(on); });
    w.command(CommandId::ApercuActif).execute();
    EXPECT_FALSE(w.previewPanel()->isVisible());
    EXPECT_FALSE(w.settings().Apercu);
    EXPECT_FALSE(w.command(CommandId::ApercuActif).isChecked());
    w.command(CommandId::ApercuActif).execute();
    EXPECT_TRUE(w.previewPanel()->isVisible());
    EXPECT_EQ(switched, std::vector<bool>({false, true}));
}

TEST_F(WindowTest, CancellingASaveQuestionKeepsTheWindowOpen)
{
    TMainLumivelle3000 &w = openWindow();
    w.documents().showModified = [] { return true; };
    w.show();
    m_prompter.answers = {messages::Answer::Cancel};
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    m_prompter.answers = {messages::Answer::No};
    EXPECT_TRUE(w.close());
}
