// The batch resize and the JPEG conversion driven through their dialogs in the window.
#include "editor/shell/core/config_file.h"
#include "editor/shell/help.h"
#include "editor/shell/help_viewer.h"
#include "editor/tools/form_convert_jpg.h"
#include "editor/tools/form_redim.h"
#include "imaging/jpeg_codec.h"
#include "tools_window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

using namespace editor;
using namespace tools_test;
using namespace tools_window_test;

namespace {

QStringList items(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void typeInto(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
}

void clickButton(QDialog &dialog, const char *name)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(name), Qt::LeftButton);
}

} // namespace

class BatchDialogsTest : public ToolsWindowTest {
protected:
    void writePictures() override
    {
        writeAll(file("Big.JPG"), *imaging::encodeJpeg(numbered(400, 300), 90));
        writeAll(file("small.jpg"), *imaging::encodeJpeg(numbered(50, 40), 90));
        ASSERT_TRUE(numbered(60, 40).save(file("doc.png")));
    }
    void selectAll() { press(Qt::CTRL | Qt::Key_A); }
    QString configText() const { return QString::fromUtf8(readAll(m_config->path())); }

    QTemporaryDir m_out;
};

TEST_F(BatchDialogsTest, ResizeChecksTheTypedSizeThenWritesCopiesBesideAndRereadsTheFolder)
{
    selectAll();
    bool busyWhileAsked = false;
    whenOpen<TFormRedim>([&](TFormRedim &dialog) {
        busyWhileAsked = explorerList().state().busy;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Redimensionner une ou plusieurs images"));
        EXPECT_EQ(items(dialog.ListFile), (QStringList{file("Big.JPG"), file("small.jpg")})); // no PNG
        EXPECT_EQ(dialog.sizeIndex(), 2);
        EXPECT_TRUE(dialog.CheckImgPlusGrande->isChecked());
        EXPECT_EQ(dialog.ComboFilter->currentText(), QStringLiteral("Filtre Triangle"));
        EXPECT_EQ(dialog.copyIndex(), 0);
        EXPECT_FALSE(dialog.EditDir->isEnabled());
        EXPECT_FALSE(dialog.EditLargeur->isVisibleTo(&dialog));
        clickBox(dialog.sizeButtons[6]); // "Personnaliser"
        EXPECT_TRUE(dialog.EditLargeur->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.EditLargeur->text(), QStringLiteral("1600"));
        EXPECT_EQ(dialog.EditHauteur->text(), QStringLiteral("1200"));
        typeInto(dialog.EditLargeur, "2x0"); // the letter is refused with a message
        EXPECT_EQ(dialog.EditLargeur->text(), QStringLiteral("20"));
        typeInto(dialog.EditHauteur, "0");
        clickButton(dialog, "ButtonOk");
    });
    window().command(CommandId::RescalePict).execute();
    EXPECT_TRUE(busyWhileAsked);
    EXPECT_EQ(messageTexts(), (std::vector<QString>{QStringLiteral("Saisie numérique uniquement !"),
                                                    QStringLiteral("Saisie incorrecte pour la taille")}));
    EXPECT_EQ(m_prompter.asked[1].kind, messages::Kind::Error);
    EXPECT_FALSE(QFile::exists(file("Big(1).jpg")));
    EXPECT_FALSE(explorerList().state().busy);

    whenOpen<TFormRedim>([&](TFormRedim &dialog) {
        EXPECT_EQ(dialog.sizeIndex(), 6); // kept from the last close; the sides start again
        EXPECT_EQ(dialog.EditLargeur->text(), QStringLiteral("1600"));
        typeInto(dialog.EditLargeur, "200");
        typeInto(dialog.EditHauteur, "200");
        clickBox(dialog.CheckImgPlusGrande);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(dialog.ComboFilter, Qt::Key_Down);
        EXPECT_EQ(dialog.ComboFilter->currentText(), QStringLiteral("Filtre Lanczos3"));
        clickButton(dialog, "ButtonOk");
    });
    window().command(CommandId::RescalePict).execute();
    EXPECT_EQ(loaded(file("Big(1).jpg")).size(), QSize(200, 150));
    EXPECT_EQ(loaded(file("small(1).jpg")).size(), QSize(200, 160)); // enlarged: not "larger only"
    EXPECT_FALSE(QFile::exists(file("doc(1).png")));
    // The folder was read again: the copies are listed and nothing is selected.
    EXPECT_EQ(explorerPaths(), (QStringList{file("Big(1).jpg"), file("Big.JPG"), file("doc.png"),
                                            file("small(1).jpg"), file("small.jpg")}));
    EXPECT_EQ(explorerList().selectedCount(), 0);
    EXPECT_EQ(window().progressBar()->value(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ConfigFile saved(m_config->path());
    EXPECT_EQ(saved.readInteger("ResizeBox", "Filter", -1), 6);
    EXPECT_EQ(saved.readInteger("ResizeBox", "NewSize", -1), 6);
    EXPECT_FALSE(saved.readBool("ResizeBox", "LargerOnly", true));
    EXPECT_EQ(saved.readInteger("ResizeBox", "CopyStyle", -1), 0);
}

TEST_F(BatchDialogsTest, ResizeIntoAnotherFolderNeedsTheFolderAndReportsUnreadableFiles)
{
    selectAll();
    whenOpen<TFormRedim>([](TFormRedim &dialog) {
        clickBox(dialog.copyButtons[1]);
        EXPECT_TRUE(dialog.EditDir->isEnabled());
        EXPECT_TRUE(dialog.EditDir->text().isEmpty());
        clickButton(dialog, "ButtonOk");
    });
    window().command(CommandId::RescalePict).execute();
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].kind, messages::Kind::Warning);
    EXPECT_EQ(m_prompter.asked[0].text,
              QStringLiteral("Vous n'avez pas indiqué le dossier de destination pour la copie des images"));

    const QString out = m_out.path();
    whenOpen<TFormRedim>([&](TFormRedim &dialog) {
        EXPECT_EQ(dialog.copyIndex(), 1);
        dialog.chooseFolder = [&] { return out; };
        QTest::mouseClick(dialog.SpeedBDir, Qt::LeftButton);
        EXPECT_EQ(dialog.EditDir->text(), out + QDir::separator());
        clickBox(dialog.CheckImgPlusGrande); // enlarge as well
        QFile::remove(file("small.jpg"));    // gone before its turn
        clickButton(dialog, "ButtonOk");
    });
    const int listed = explorerList().count();
    window().command(CommandId::RescalePict).execute();
    EXPECT_EQ(loaded(m_out.filePath("Big.JPG")).size(), QSize(1024, 768));
    ASSERT_EQ(m_prompter.asked.size(), 2u);
    EXPECT_EQ(m_prompter.asked[1].text, QStringLiteral("Image incorrecte (%1)").arg(file("small.jpg")));
    EXPECT_EQ(explorerList().count(), listed); // another folder: the explorer is left as it is
    EXPECT_EQ(ConfigFile(m_config->path()).readString("ResizeBox", "DirCopy", {}), out + QDir::separator());

    // Cancelled: nothing written, the choices kept all the same.
    whenOpen<TFormRedim>([](TFormRedim &dialog) {
        clickBox(dialog.copyButtons[2]);
        EXPECT_TRUE(dialog.EditDir->text().isEmpty());
        EXPECT_FALSE(dialog.SpeedBDir->isEnabled());
        clickButton(dialog, "ButtonAnnuler");
    });
    const QByteArray big = readAll(file("Big.JPG"));
    window().command(CommandId::RescalePict).execute();
    EXPECT_EQ(readAll(file("Big.JPG")), big);
    EXPECT_EQ(ConfigFile(m_config->path()).readInteger("ResizeBox", "CopyStyle", -1), 2);
}

TEST_F(BatchDialogsTest, ResizeInPlaceRewritesTheFilesAndReloadsTheirEntries)
{
    selectAll();
    whenOpen<TFormRedim>([](TFormRedim &dialog) {
        clickBox(dialog.sizeButtons[0]); // 640 x 480
        clickBox(dialog.copyButtons[2]);
        clickButton(dialog, "ButtonOk");
    });
    const QByteArray small = readAll(file("small.jpg"));
    window().command(CommandId::RescalePict).execute();
    EXPECT_EQ(loaded(file("Big.JPG")).size(), QSize(400, 300)); // larger only: both fit
    EXPECT_EQ(readAll(file("small.jpg")), small);

    whenOpen<TFormRedim>([](TFormRedim &dialog) {
        clickBox(dialog.sizeButtons[6]);
        typeInto(dialog.EditLargeur, "100");
        typeInto(dialog.EditHauteur, "100");
        clickButton(dialog, "ButtonOk");
    });
    window().command(CommandId::RescalePict).execute();
    EXPECT_EQ(loaded(file("Big.JPG")).size(), QSize(100, 75));
    const TEnrData &entry = explorerList().entry(explorerIndex("Big.JPG"));
    EXPECT_EQ(QSize(entry.width, entry.height), QSize(100, 75)); // the entry was read again
    EXPECT_EQ(explorerList().selectedCount(), 3);
    EXPECT_EQ(readAll(file("small.jpg")), small);
}

TEST_F(BatchDialogsTest, ConvertAsksBeforeReplacingAFileAndRefreshesTheCurrentFolder)
{
    selectAll();
    whenOpen<TFormConvertJpg>([&](TFormConvertJpg &dialog) {
        EXPECT_TRUE(explorerList().state().busy);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Convertir des images au format JPEG"));
        EXPECT_EQ(items(dialog.ListFile), (QStringList{file("Big.JPG"), file("doc.png"), file("small.jpg")}));
        EXPECT_EQ(dialog.EditDir->text(), m_folder.path());
        EXPECT_EQ(dialog.LabelJpg->text(), QStringLiteral("Qualité 100 %"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(dialog.TrackJpg, Qt::Key_Left);
        EXPECT_EQ(dialog.LabelJpg->text(), QStringLiteral("Qualité 70 %"));
        clickButton(dialog, "ButtonOk");
    });
    m_prompter.answers = {messages::Answer::No, messages::Answer::Yes}; // Big.JPG kept, small.jpg replaced
    const QByteArray big = readAll(file("Big.JPG")), small = readAll(file("small.jpg"));
    window().command(CommandId::ConvertJPG).execute();
    ASSERT_EQ(m_prompter.asked.size(), 2u);
    EXPECT_EQ(m_prompter.asked[0].kind, messages::Kind::Information);
    EXPECT_EQ(m_prompter.asked[0].buttons, messages::Buttons::YesNo);
    EXPECT_EQ(m_prompter.asked[0].text, QStringLiteral("Le fichier < Big.JPG > existe déjà,\nEcraser le fichier ?"));
    EXPECT_EQ(m_prompter.asked[1].text, QStringLiteral("Le fichier < small.jpg > existe déjà,\nEcraser le fichier ?"));
    EXPECT_EQ(readAll(file("Big.JPG")), big);
    EXPECT_NE(readAll(file("small.jpg")), small); // re-encoded at 70
    EXPECT_EQ(loaded(file("doc.jpg")).size(), QSize(60, 40));
    // Refreshed as "Actualiser" does: the new file is listed and the first entry is current.
    EXPECT_TRUE(explorerPaths().contains(file("doc.jpg")));
    EXPECT_EQ(explorerList().selectedCount(), 1);
    EXPECT_FALSE(explorerList().state().busy);
}

TEST_F(BatchDialogsTest, ConvertIntoAnotherFolderAndReportAFailedWrite)
{
    selectAll();
    const QString out = m_out.path();
    whenOpen<TFormConvertJpg>([&](TFormConvertJpg &dialog) {
        dialog.chooseFolder = [&] { return out; };
        QTest::mouseClick(dialog.SpeedBDir, Qt::LeftButton);
        EXPECT_EQ(dialog.EditDir->text(), out + QDir::separator());
        clickButton(dialog, "ButtonOk");
    });
    const int listed = explorerList().count();
    {
        FileSizeLimit full(1000); // every picture is larger
        window().command(CommandId::ConvertJPG).execute();
    }
    EXPECT_EQ(messageTexts(), (std::vector<QString>{QStringLiteral("Impossible d'enregistrer le fichier < Big.JPG >"),
                                                    QStringLiteral("Impossible d'enregistrer le fichier < doc.jpg >"),
                                                    QStringLiteral("Impossible d'enregistrer le fichier < small.jpg >")}));
    EXPECT_TRUE(names(out).isEmpty());
    EXPECT_EQ(explorerList().count(), listed);
    EXPECT_EQ(explorerList().selectedCount(), 3); // another folder: no refresh

    whenOpen<TFormConvertJpg>([&](TFormConvertJpg &dialog) {
        EXPECT_EQ(dialog.LabelJpg->text(), QStringLiteral("Qualité 100 %")); // nothing is kept
        EXPECT_EQ(dialog.EditDir->text(), m_folder.path());
        typeInto(dialog.EditDir, "ignored"); // read-only
        EXPECT_EQ(dialog.EditDir->text(), m_folder.path());
        clickButton(dialog, "ButtonAnnuler");
    });
    window().command(CommandId::ConvertJPG).execute();
    EXPECT_FALSE(QFile::exists(file("doc.jpg")));
}

TEST_F(BatchDialogsTest, TheHelpButtonsOpenTheirTopics)
{
    setHelpFile(QStringLiteral(LUMIVELLE_BIN_DIR "/Lumivelle.chm"));
    selectAll();
    whenOpen<TFormRedim>([](TFormRedim &dialog) {
        clickButton(dialog, "ButtonAide");
        ASSERT_TRUE(currentHelpViewer());
        EXPECT_EQ(currentHelpViewer()->browser()->documentTitle(), QStringLiteral("Redimensionner des images"));
        clickButton(dialog, "ButtonAnnuler");
    });
    window().command(CommandId::RescalePict).execute();
    whenOpen<TFormConvertJpg>([](TFormConvertJpg &dialog) {
        clickButton(dialog, "ButtonAide");
        EXPECT_EQ(currentHelpViewer()->browser()->documentTitle(),
                  QStringLiteral("Convertir des images au format JPEG"));
        clickButton(dialog, "ButtonAnnuler");
    });
    window().command(CommandId::ConvertJPG).execute();
    if (currentHelpViewer())
        currentHelpViewer()->close();
}

TEST_F(BatchDialogsTest, NothingRunsOutsideTheExplorerTabOrWithoutASelection)
{
    int dialogs = 0;
    auto run = [&](CommandId id) {
        QTimer::singleShot(0, [&dialogs] { // a dialog that opens is counted and closed
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                ++dialogs;
                dialog->reject();
            }
        });
        window().command(id).execute();
        QTest::qWait(1);
    };
    window().command(CommandId::UnSelectAll).execute();
    run(CommandId::RescalePict);
    run(CommandId::ConvertJPG);
    selectAll();
    window().setActiveTab(2);
    run(CommandId::RescalePict);
    run(CommandId::ConvertJPG);
    window().setActiveTab(1);
    explorerList().state().busy = true;
    run(CommandId::RescalePict);
    run(CommandId::ConvertJPG);
    explorerList().state().busy = false;
    EXPECT_EQ(dialogs, 0);
    run(CommandId::ConvertJPG); // the guard itself sees a dialog that opens
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(names(m_folder.path()), (QStringList{"Big.JPG", "doc.png", "small.jpg"}));
}
