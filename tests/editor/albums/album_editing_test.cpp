// Editing the album's content: the panel on several selected entries (real mouse and key
// events), adding the explorer's selection with its EXIF data, removing, refreshing,
// copying fields, moving entries, keywords and the search dialog.
#include "album_window_fixture.h"

#include "documents/album/album_search.h"
#include "editor/albums/form_copie_info.h"
#include "editor/albums/form_search.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace album_gui_test;
using messages::Answer;

namespace {

// Replaces the field's text as a user does: select it, then type over it.
void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

TEST_F(AlbumWindowTest, TypingWritesIntoEverySelectedEntry)
{
    openAlbum(writeAlbum("album.ccl", 4));
    click(1);
    click(3, Qt::ControlModifier);
    click(2, Qt::ControlModifier);
    EXPECT_FALSE(area().isModified()); // showing entries writes nothing back
    EXPECT_EQ(panel().EditComment->text(), QStringLiteral("commentaire 2")); // the entry last clicked
    EXPECT_EQ(panel().EditOrigine->text(), QStringLiteral("/photos/Été/"));
    EXPECT_EQ(panel().EditTaille->text(), QStringLiteral("300 ko"));
    EXPECT_EQ(panel().EditAppareil->toolTip(), panel().EditAppareil->text());

    retype(panel().EditComment, QStringLiteral("Vacances"));
    retype(panel().EditPlace, QStringLiteral("Saint-Malo"));
    for (int i : {1, 2, 3}) {
        EXPECT_EQ(entry(i).comment, QStringLiteral("Vacances")) << i;
        EXPECT_EQ(entry(i).place, QStringLiteral("Saint-Malo")) << i;
    }
    EXPECT_EQ(entry(0).comment, QStringLiteral("commentaire 0"));
    EXPECT_TRUE(area().isModified());

    // The editors take no more than the file keeps.
    retype(panel().EditComment, QString(90, u'c'));
    EXPECT_EQ(entry(1).comment.size(), 80);

    // The keyword box writes like the others, and leaving it adds a new keyword.
    panel().ComboCle->setFocus();
    panel().ComboCle->lineEdit()->selectAll();
    QTest::keyClicks(panel().ComboCle, QStringLiteral("plage"));
    EXPECT_EQ(entry(3).keyword, QStringLiteral("plage"));
    EXPECT_TRUE(area().keywords().items().isEmpty());
    panel().EditPlace->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(area().keywords().items(), QStringList({"plage"}));
    EXPECT_EQ(panel().ComboCle->count(), 1);
    EXPECT_EQ(panel().ComboCle->currentText(), QStringLiteral("plage"));

    // A click on another entry shows it without changing anything.
    click(0);
    EXPECT_EQ(panel().EditPlace->text(), QStringLiteral("lieu 0"));
    EXPECT_EQ(entry(3).place, QStringLiteral("Saint-Malo"));
}

TEST_F(AlbumWindowTest, PanelIsEmptyAndDisabledWithoutSelection)
{
    openAlbum(writeAlbum("album.ccl", 2));
    click(5); // past the last entry: nothing changes
    EXPECT_TRUE(panel().EditComment->isEnabled());
    QTest::keyClick(&grid(), Qt::Key_End);
    EXPECT_EQ(panel().EditComment->text(), QStringLiteral("commentaire 1"));
    grid().DeselectAll();
    area().GrilleCollecClick();
    EXPECT_FALSE(panel().EditComment->isEnabled());
    EXPECT_EQ(panel().EditComment->text(), QString());
    QTest::keyClicks(panel().EditComment, QStringLiteral("x")); // disabled: nothing written
    EXPECT_EQ(entry(1).comment, QStringLiteral("commentaire 1"));
}

TEST_F(AlbumWindowTest, AddingTheExplorerSelectionImportsExif)
{
    editor::EntryList<editor::TEnrData> explorer;
    window().setList(editor::GridSlot::Explorer, &explorer);
    const QString canon = copyFixture("exif/exif_II_canon_flash1.jpg", "canon.jpg");
    const QString nikon = copyFixture("exif/exif_MM_nikon_flash0_fnumber0.jpg", "NIKON.JPG");
    for (const QString &path : {canon, file("disparue.jpg"), nikon, file("ignorée.jpg")}) {
        editor::TEnrData e;
        e.width = 64;
        e.height = 48;
        e.fileSize = 1234;
        e.selected = !path.endsWith(QStringLiteral("ignorée.jpg"));
        e.thumbnail = QImage(64, 48, QImage::Format_BGR888);
        explorer.append(path, e);
    }
    area().AddCollecExecute(); // no album open: nothing
    EXPECT_EQ(images().count(), 0);

    m_dialogs->albumFiles.push_back(file("album.ccl"));
    area().NewCollecExecute();
    window().setActiveTab(1);
    area().AddCollecExecute();
    EXPECT_EQ(window().activeTab(), 3);
    ASSERT_EQ(images().count(), 2); // the missing file is skipped
    EXPECT_EQ(images().path(0), canon);
    EXPECT_EQ(entry(0).camera, QStringLiteral("CanonCanon PowerShot A80"));
    EXPECT_EQ(entry(0).flash, QStringLiteral("Oui"));
    EXPECT_EQ(entry(0).fileSize, 1234);
    EXPECT_EQ(images().path(1), nikon);
    EXPECT_EQ(entry(1).flash, QStringLiteral("Non"));
    EXPECT_TRUE(area().isModified());

    ASSERT_TRUE(area().SaveCollecExecute());
    area().AddCollecExecute(); // the same pictures again: nothing added, modified all the same
    EXPECT_EQ(images().count(), 2);
    EXPECT_TRUE(area().isModified());

    explorer.state().busy = true; // the explorer is still reading thumbnails
    explorer.entry(3).selected = true;
    area().AddCollecExecute();
    EXPECT_EQ(images().count(), 2);
    window().setList(editor::GridSlot::Explorer, nullptr);
}

TEST_F(AlbumWindowTest, RemovingSelectedEntriesAfterTheQuestion)
{
    openAlbum(writeAlbum("album.ccl", 4));
    click(1);
    click(3, Qt::ControlModifier);
    m_prompter.answers = {Answer::Cancel};
    area().DellCollecExecute();
    EXPECT_EQ(images().count(), 4);
    EXPECT_EQ(m_prompter.asked.back().text, QStringLiteral("Supprimer l'image(s) sélectionnée(s) de l'album ?"));
    area().DellCollecExecute();
    ASSERT_EQ(images().count(), 2);
    EXPECT_EQ(images().path(0), QStringLiteral("/Photos/Été/photo0.jpg"));
    EXPECT_EQ(images().path(1), QStringLiteral("/Photos/Été/photo2.jpg"));
    EXPECT_EQ(images().state().currentPath, QString());
    EXPECT_TRUE(area().isModified());
    EXPECT_FALSE(panel().EditComment->isEnabled());
}

TEST_F(AlbumWindowTest, CopyingFieldsToAllEntries)
{
    openAlbum(writeAlbum("album.ccl", 3));
    click(1);
    entry(1).date = QStringLiteral("2007:08:09");
    entry(1).flash = QStringLiteral("Oui");
    // Only "Mots clés" stays checked.
    m_dialogs->onRun = [](QDialog &dialog) {
        auto &form = dynamic_cast<editor::TFormCopieInfo &>(dialog);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Dupliquer les infos"));
        for (QCheckBox *box : {form.CheckPlace, form.CheckDate, form.CheckAppareil, form.CheckComment}) {
            EXPECT_TRUE(box->isChecked());
            QTest::mouseClick(box, Qt::LeftButton);
        }
        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("ButtonOk")), Qt::LeftButton);
        return form.result();
    };
    area().AllInfoCollecExecute();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entry(i).keyword, QStringLiteral("chat")) << i;
        EXPECT_EQ(entry(i).place, QStringLiteral("lieu %1").arg(i)) << i;
    }
    EXPECT_TRUE(area().isModified());

    // Everything checked, then cancelled: nothing changes.
    m_dialogs->onRun = [](QDialog &) { return int(QDialog::Rejected); };
    area().AllInfoCollecExecute();
    EXPECT_EQ(entry(0).date, QString());
    m_dialogs->onRun = [](QDialog &) { return int(QDialog::Accepted); };
    area().AllInfoCollecExecute();
    EXPECT_EQ(entry(0).date, QStringLiteral("2007:08:09"));
    EXPECT_EQ(entry(2).comment, QStringLiteral("commentaire 1"));
    EXPECT_EQ(entry(0).flash, QString()); // never copied

    click(2, Qt::ControlModifier); // two selected: the command does nothing
    const int runs = m_dialogs->dialogsRun;
    area().AllInfoCollecExecute();
    EXPECT_EQ(m_dialogs->dialogsRun, runs);
}

TEST_F(AlbumWindowTest, MovingSelectedEntriesToAnotherFolder)
{
    openAlbum(writeAlbum("album.ccl", 3));
    click(0);
    click(2, Qt::ControlModifier);
    m_dialogs->folders.push_back(file("ailleurs"));
    area().ModPathExecute();
    const QString moved = QDir(file("ailleurs")).filePath(QStringLiteral("photo2.jpg"));
    EXPECT_EQ(images().path(2), moved);
    EXPECT_EQ(images().path(0), QDir(file("ailleurs")).filePath(QStringLiteral("photo0.jpg")));
    EXPECT_EQ(images().path(1), QStringLiteral("/Photos/Été/photo1.jpg"));
    EXPECT_EQ(images().state().currentPath, moved); // the view acts on the new path
    EXPECT_EQ(panel().EditOrigine->text(), album::foldAZ(QDir(file("ailleurs")).path() + QDir::separator()));
    EXPECT_TRUE(area().isModified());
    EXPECT_EQ(m_prompter.asked.back().text,
              QStringLiteral("Vous allez modifier le chemin d'accès des images sélectionnées.\n\nContinuer ?"));
    EXPECT_EQ(m_dialogs->titles.back(), QStringLiteral("Sélectionner un nouveau dossier"));
}

TEST_F(AlbumWindowTest, RefreshingThumbnailsOfMissingAndPresentPictures)
{
    m_dialogs->albumFiles.push_back(file("album.ccl"));
    area().NewCollecExecute();
    const QString picture = copyFixture("images/png/png_rgb8_64x48.png", "image.png");
    m_dialogs->imageFiles.push_back({picture});
    area().AddFileCollecExecute();
    images().items().append(file("absente.jpg"), album::TEnrData_C{});
    entry(0).thumbnail = QImage();
    entry(0).comment = QStringLiteral("gardé");
    grid().SetSelected(0, true);
    grid().SetSelected(1, true);
    area().RefreshVignetteCollecExecute();
    EXPECT_EQ(entry(0).thumbnail.size(), QSize(64, 48));
    EXPECT_EQ(entry(0).comment, QStringLiteral("gardé"));
    EXPECT_EQ(messageTexts(m_prompter),
              QStringList({"L'image n'est pas accessible depuis son emplacement d'origine."}));
}

TEST_F(AlbumWindowTest, DeletingAKnownKeywordNeedsAChosenItem)
{
    // The keyword file is read when the area is installed: a second window reads it.
    m_window.reset(); // writes the first window's (empty) list
    QFile keywordFile(file("motcle.cfg"));
    ASSERT_TRUE(keywordFile.open(QIODevice::WriteOnly));
    keywordFile.write("soleil\r\nmer\r\n");
    keywordFile.close();
    m_window = std::make_unique<editor::TMainLumivelle3000>(*m_config);
    auto dialogs = std::make_unique<QueuedDialogs>();
    m_dialogs = dialogs.get();
    m_area = editor::installAlbumArea(*m_window, std::move(dialogs), file("motcle.cfg"));
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    EXPECT_EQ(area().keywords().items(), QStringList({"mer", "soleil"}));
    openAlbum(writeAlbum("album.ccl", 2));
    click(0);

    // Text typed that equals an item is not a chosen item.
    panel().ComboCle->setFocus();
    panel().ComboCle->lineEdit()->selectAll();
    QTest::keyClicks(panel().ComboCle, QStringLiteral("mer"));
    QTest::mouseClick(panel().SpeedDellCle, Qt::LeftButton);
    EXPECT_TRUE(m_prompter.asked.empty());

    // Chosen with the keyboard: asked, then removed; the entries keep their keyword.
    QTest::keyClick(panel().ComboCle, Qt::Key_Down);
    ASSERT_GE(panel().chosenKeyword(), 0);
    const QString chosen = panel().ComboCle->currentText();
    m_prompter.answers = {Answer::Cancel};
    QTest::mouseClick(panel().SpeedDellCle, Qt::LeftButton);
    EXPECT_EQ(area().keywords().count(), 2);
    QTest::mouseClick(panel().SpeedDellCle, Qt::LeftButton);
    EXPECT_EQ(messageTexts(m_prompter), QStringList({"Supprimer ce mot clé ?", "Supprimer ce mot clé ?"}));
    EXPECT_EQ(area().keywords().items().indexOf(chosen), -1);
    EXPECT_EQ(area().keywords().count(), 1);
    EXPECT_EQ(panel().ComboCle->currentText(), QString());
    EXPECT_EQ(entry(0).keyword, chosen);

    // At exit the list is written back, in CR LF lines.
    m_window.reset();
    ASSERT_TRUE(keywordFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(keywordFile.readAll(), (chosen == "mer" ? QByteArray("soleil\r\n") : QByteArray("mer\r\n")));
}

TEST_F(AlbumWindowTest, SearchDialogSelectsWhatItFinds)
{
    openAlbum(writeAlbum("album.ccl", 5)); // keywords mer, chat, mer, chat, mer
    area().keywords().addTyped(QStringLiteral("mer"), true);
    QStringList found;
    std::vector<int> selected;
    m_dialogs->onRun = [&](QDialog &dialog) {
        auto &form = dynamic_cast<editor::TFormSearch &>(dialog);
        EXPECT_TRUE(form.CheckMotCles->isChecked());
        EXPECT_FALSE(form.EditChamp->isEnabled());
        EXPECT_EQ(form.ComboCle->count(), 1);
        form.ComboCle->setFocus();
        QTest::keyClicks(form.ComboCle, QStringLiteral("CHA"));
        QTest::mouseClick(form.ButtonSerach, Qt::LeftButton);
        for (int i = 0; i < form.ListImages->count(); ++i)
            found << form.ListImages->item(i)->text();
        selected = images().selectedIndexes();

        // Checking the other box switches mode and empties the keyword box.
        QTest::mouseClick(form.CheckChamps, Qt::LeftButton);
        EXPECT_FALSE(form.CheckMotCles->isChecked());
        EXPECT_FALSE(form.ComboCle->isEnabled());
        EXPECT_EQ(form.ComboCle->currentText(), QString());
        QTest::mouseClick(form.CheckChamps, Qt::LeftButton); // unchecking one checks the other
        EXPECT_TRUE(form.CheckMotCles->isChecked());
        QTest::mouseClick(form.CheckChamps, Qt::LeftButton);
        QTest::keyClicks(form.EditChamp, QStringLiteral("642"));
        QTest::mouseClick(form.CheckOcc, Qt::LeftButton);
        QTest::mouseClick(form.ButtonSerach, Qt::LeftButton);
        EXPECT_EQ(form.ListImages->count(), 1);
        EXPECT_NE(form.result(), int(QDialog::Accepted)); // searching does not close the dialog
        return int(QDialog::Rejected);
    };
    area().SerachCollecExecute();
    EXPECT_EQ(found, QStringList({"/Photos/Été/photo1.jpg", "/Photos/Été/photo3.jpg"}));
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));
    EXPECT_EQ(images().selectedIndexes(), std::vector<int>{2}); // the width 642; the selection stays
}
