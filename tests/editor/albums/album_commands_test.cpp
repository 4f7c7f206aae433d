// The album area inside the whole window: the enabling rules it feeds, the commands of
// other areas that act on the album tab (sort, copy, view), the EXIF report and the
// closing question.
#include "album_window_fixture.h"

#include "editor/albums/form_exif.h"
#include "editor/explorer/explorer_commands.h"
#include "editor/explorer/explorer_window.h"
#include "editor/explorer/image_explorer.h"

#include <QPlainTextEdit>
#include <QPushButton>

using namespace album_gui_test;
using editor::CommandId;
using editor::MenuId;

namespace {

bool enabledBy(editor::TMainLumivelle3000 &window, MenuId menu, CommandId id)
{
    window.applyMenuRule(menu);
    return window.command(id).isEnabled();
}

} // namespace

TEST_F(AlbumWindowTest, AlbumStateFeedsTheEnablingRules)
{
    EXPECT_FALSE(enabledBy(window(), MenuId::Fichier, CommandId::SaveCollec));
    EXPECT_FALSE(enabledBy(window(), MenuId::Album, CommandId::AddFileCollec));
    openAlbum(writeAlbum("album.ccl", 3));
    EXPECT_TRUE(enabledBy(window(), MenuId::Fichier, CommandId::SaveCollec));
    EXPECT_TRUE(enabledBy(window(), MenuId::Album, CommandId::AddFileCollec));
    EXPECT_TRUE(enabledBy(window(), MenuId::Album, CommandId::SerachCollec));
    EXPECT_TRUE(enabledBy(window(), MenuId::Album, CommandId::AllInfoCollec)); // one selected
    click(2, Qt::ControlModifier);
    EXPECT_FALSE(enabledBy(window(), MenuId::Album, CommandId::AllInfoCollec));
    EXPECT_TRUE(enabledBy(window(), MenuId::PopupCollec, CommandId::DellCollec));
    images().state().busy = true;
    EXPECT_FALSE(enabledBy(window(), MenuId::PopupCollec, CommandId::DellCollec));
    images().state().busy = false;
    EXPECT_EQ(window().list(editor::GridSlot::Album), &images());
}

TEST_F(AlbumWindowTest, CommandsReachTheAreaThroughTheWindow)
{
    openAlbum(writeAlbum("album.ccl", 3));
    m_prompter.answers = {messages::Answer::Yes};
    QTest::keyClick(&window(), Qt::Key_F3, Qt::ControlModifier); // DellCollec, one selected
    EXPECT_EQ(images().count(), 2);
    ASSERT_TRUE(area().SaveCollecExecute());
    // Another area marks the album modified through the window (rotation does).
    window().documents().markAlbumModified();
    EXPECT_TRUE(window().documents().albumModified());
    // A drag in the album grid also modifies it.
    ASSERT_TRUE(area().SaveCollecExecute());
    QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, grid().cellRect(0).center());
    QTest::mouseMove(grid().viewport(), grid().cellRect(1).center());
    QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, grid().cellRect(1).center());
    EXPECT_EQ(images().path(0), QStringLiteral("/Photos/Été/photo2.jpg"));
    EXPECT_EQ(images().path(1), QStringLiteral("/Photos/Été/photo1.jpg"));
    EXPECT_TRUE(area().isModified());
}

TEST_F(AlbumWindowTest, ExifReportOfTheExplorersCurrentPicture)
{
    editor::EntryList<editor::TEnrData> explorer;
    window().setList(editor::GridSlot::Explorer, &explorer);
    QString shown;
    m_dialogs->onRun = [&](QDialog &dialog) {
        auto &form = dynamic_cast<editor::TFormExif &>(dialog);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Informations EXIF"));
        EXPECT_TRUE(form.MemoEXIF->isReadOnly());
        EXPECT_EQ(QFontInfo(form.MemoEXIF->font()).fixedPitch(), true);
        shown = form.MemoEXIF->toPlainText();
        auto *close = form.findChild<QPushButton *>(QStringLiteral("ButtonOk"));
        EXPECT_EQ(close->text(), QStringLiteral("&Fermer"));
        QTest::mouseClick(close, Qt::LeftButton);
        return form.result();
    };
    explorer.state().currentPath = copyFixture("exif/exif_II_canon_flash1.jpg", "canon.JPG");
    window().setActiveTab(1);
    QTest::keyClick(&window(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(m_dialogs->dialogsRun, 0); // the explorer rule: no explorer entry is selected
    window().command(CommandId::Exif).execute();
    EXPECT_EQ(m_dialogs->dialogsRun, 1);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Nom du fichier    : canon.JPG\n")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Marque            : Canon\n")));

    explorer.state().currentPath = copyFixture("exif/exif_app1_third_segment.jpg", "tard.jpg");
    window().command(CommandId::Exif).execute();
    EXPECT_EQ(shown, QStringLiteral("Aucunes informations à afficher"));

    for (const QString &path : {copyFixture("images/png/png_rgb8_64x48.png", "image.png"), file("absente.jpg")}) {
        explorer.state().currentPath = path;
        window().command(CommandId::Exif).execute();
    }
    EXPECT_EQ(m_dialogs->dialogsRun, 2);
    window().setList(editor::GridSlot::Explorer, nullptr);
}

// The explorer's commands that also serve the album tab: sort, copy, view. The window is
// not shown, so the explorer scans nothing.
TEST(AlbumWithExplorer, SortCopyAndViewOnTheAlbumTab)
{
    QTemporaryDir dir;
    RecordingPrompter prompter;
    editor::ConfigFile config(dir.filePath("Lumivelle.cfg"));
    editor::TMainLumivelle3000 window(config);
    editor::ImageExplorer *explorer = editor::installImageExplorer(window);
    editor::installExplorerCommands(window, *explorer);
    auto dialogs = std::make_unique<QueuedDialogs>();
    QueuedDialogs *queued = dialogs.get();
    editor::AlbumArea *area = editor::installAlbumArea(window, std::move(dialogs), dir.filePath("motcle.cfg"));

    queued->albumFiles.push_back(dir.filePath("album.ccl"));
    area->NewCollecExecute();
    for (const char *name : {"b.png", "A.png", "c.png"}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVELLE_FIXTURES "/images/png/png_rgb8_64x48.png"),
                                dir.filePath(QString::fromLatin1(name))));
        queued->imageFiles.push_back({dir.filePath(QString::fromLatin1(name))});
        area->AddFileCollecExecute();
    }
    ASSERT_TRUE(area->SaveCollecExecute());
    window.setActiveTab(3);
    window.command(CommandId::Tri).execute();
    EXPECT_TRUE(area->images().path(0).endsWith(QStringLiteral("A.png")));
    EXPECT_TRUE(area->images().path(2).endsWith(QStringLiteral("c.png")));
    EXPECT_TRUE(area->isModified());

    area->GrilleCollec()->SetSelected(0, true);
    area->GrilleCollec()->SetSelected(2, true);
    window.applyMenuRule(MenuId::Edition);
    EXPECT_TRUE(window.command(CommandId::CopyFile).isEnabled());
    window.command(CommandId::CopyFile).execute();
    EXPECT_TRUE(window.stateProvider().pendingPaste());

    area->images().state().currentPath = dir.filePath("absente.jpg");
    window.command(CommandId::VueImageCollec).execute();
    ASSERT_FALSE(prompter.asked.empty());
    EXPECT_EQ(prompter.asked.back().text, QStringLiteral("L'image n'est pas accessible depuis son emplacement d'origine."));
}
