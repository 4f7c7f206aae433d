// The commands of the show tab chosen from their menus and keys in the whole window: each
// first with its dialogs and questions cancelled (the show stays as it was), then answered.
#include "whole_window_fixture.h"

#include "editor/show/show_area.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTest>

using namespace editor;
using walk_test::ModalAnswerer;
using walk_test::WholeWindowTest;
using Mode = ModalAnswerer::Mode;

using ShowWalkTest = WholeWindowTest;

TEST_F(ShowWalkTest, ProjectFiles)
{
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::NewProject, Mode::Cancel));
    EXPECT_FALSE(showArea().document().isOpen());
    m_showDialogs->saves.push_back(file("show.dap"));
    press(Qt::CTRL | Qt::Key_N);
    ASSERT_EQ(showArea().document().path, file("show.dap"));
    window().setActiveTab(2);

    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::AddFileLumiv, Mode::Cancel));
    EXPECT_EQ(showArea().slides().count(), 0);
    m_showDialogs->images.push_back({photo("a.jpg"), photo("b.png"), photo("c.bmp")});
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::AddFileLumiv));
    EXPECT_EQ(showArea().slides().count(), 3);
    EXPECT_TRUE(showArea().document().modified);

    press(Qt::CTRL | Qt::Key_S);
    EXPECT_TRUE(QFileInfo(file("show.dap")).size() > 288);
    EXPECT_FALSE(showArea().document().modified);
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::SaveProjetAs, Mode::Cancel));
    EXPECT_EQ(showArea().document().path, file("show.dap"));
    m_showDialogs->saves.push_back(file("copie.dap"));
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::SaveProjetAs));
    EXPECT_EQ(showArea().document().path, file("copie.dap"));
    EXPECT_TRUE(QFile::exists(file("copie.dap")));

    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::OpenProjet, Mode::Cancel));
    EXPECT_EQ(showArea().document().path, file("copie.dap"));
    m_showDialogs->opens.push_back(file("show.dap"));
    press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(showArea().document().path, file("show.dap"));
    EXPECT_EQ(showArea().slides().count(), 3);

    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVELLE_FIXTURES "/documents/ancien.spr"), file("ancien.spr")));
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::OpenAncienScript, Mode::Cancel));
    EXPECT_EQ(showArea().document().path, file("show.dap"));
    m_showDialogs->scripts.push_back(file("ancien.spr"));
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::OpenAncienScript));
    EXPECT_EQ(showArea().document().path, file("ancien.dap"));
    EXPECT_EQ(m_prompter.asked.size(), 1u); // its pictures are gone: said once
}

TEST_F(ShowWalkTest, SlideCommands)
{
    openShowWith({"a.jpg", "b.png", "c.bmp"});
    clickSlide(0);
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::VueImageScript));
    press(Qt::Key_F4);
    ASSERT_TRUE(choose(MenuId::PopupListScript, CommandId::VueImageScript));
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::LumivelleRapide));
    EXPECT_EQ(m_answerer.seen, QStringList({"TFormView", "TFormView", "TFormView", "TFormView"}));

    ASSERT_TRUE(choose(MenuId::PopupListScript, CommandId::RetoucherScript));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().front().startsWith(QStringLiteral("Aucun logiciel de retouche")));

    // The parameters of the current slide go to every slide once the dialog is confirmed.
    showArea().slides().slide(0).displayTime = 9;
    press(Qt::Key_F7, Mode::Cancel);
    EXPECT_EQ(showArea().slides().slide(2).displayTime, 5);
    ASSERT_TRUE(choose(MenuId::PopupListScript, CommandId::AllStyle_Image));
    EXPECT_EQ(showArea().slides().slide(2).displayTime, 9);

    ASSERT_EQ(QImageReader(photo("a.jpg")).size(), QSize(64, 48));
    press(Qt::SHIFT | Qt::Key_F10);
    EXPECT_EQ(QImageReader(photo("a.jpg")).size(), QSize(48, 64));
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::RotateScript180));
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::RotateScriptLeft));
    EXPECT_EQ(QImageReader(photo("a.jpg")).size(), QSize(64, 48));

    QImage(150, 50, QImage::Format_RGB32).save(photo("c.bmp"));
    clickSlide(2);
    ASSERT_TRUE(choose(MenuId::PopupListScript, CommandId::RefreshVignetteLumiv));
    EXPECT_EQ(showArea().slides().slide(2).width, 150);

    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::ModPath_S, Mode::Cancel));
    EXPECT_EQ(showArea().slides().path(2), photo("c.bmp"));
    m_showDialogs->folders.push_back(m_work.path());
    ASSERT_TRUE(choose(MenuId::PopupListScript, CommandId::ModPath_S));
    EXPECT_EQ(showArea().slides().path(2), file("c.bmp"));

    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::SaveProjet));
    press(Qt::Key_F9, Mode::Cancel);
    EXPECT_FALSE(showArea().document().modified);
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::OptionLumivelle));
    EXPECT_TRUE(showArea().document().modified);

    press(Qt::Key_F3, Mode::Cancel);
    EXPECT_EQ(showArea().slides().count(), 3);
    ASSERT_TRUE(choose(MenuId::PopupListScript, CommandId::Supprimer));
    EXPECT_EQ(showArea().slides().count(), 2);
    clickSlide(0);
    press(Qt::Key_F3);
    EXPECT_EQ(showArea().slides().count(), 1);

    EXPECT_EQ(m_answerer.helpPages,
              QStringList({"TFormCopyLumiv: applystyle.htm", "TFormCopyLumiv: applystyle.htm",
                           "TFormProjet: projet.htm", "TFormProjet: projet.htm"}));
}

TEST_F(ShowWalkTest, BuildAndWebGallery)
{
    openShowWith({"a.jpg", "b.png"});
    press(Qt::Key_F10);
    ASSERT_EQ(m_launched, QStringList({file("show.exe")}));
    EXPECT_GT(QFileInfo(file("show.exe")).size(), QFileInfo(QStringLiteral(LUMIVELLE_BIN_DIR "/Tolvarine.bin")).size());
    EXPECT_FALSE(showArea().document().modified); // saved before the build
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::Lumivelle));
    EXPECT_EQ(m_launched.size(), 2);

    press(Qt::Key_F11, Mode::Cancel);
    EXPECT_FALSE(QFileInfo::exists(file("site")));
    m_webFile = file("site/galerie.htm");
    ASSERT_TRUE(QDir(m_work.path()).mkdir("site"));
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::LumivelleWeb));
    EXPECT_TRUE(QFile::exists(file("site/galerie.htm")));
    EXPECT_TRUE(QFile::exists(file("site/a.jpg")));
    EXPECT_EQ(m_answerer.helpPages, QStringList({"TFormWeb: html.htm", "TFormWeb: html.htm"}));
}
