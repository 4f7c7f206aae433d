// The web gallery from the editor's window: F11 on an open show, TFormWeb driven with
// the mouse and the keyboard, its settings read and written, its number fields, the
// replace question, the required name, the pages and pictures written and the one
// warning for what failed.
#include "documents/show/project_file.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/help.h"
#include "editor/shell/help_viewer.h"
#include "editor/shell/main_window.h"
#include "editor/show/show_area.h"
#include "editor/show/show_dialogs.h"
#include "editor/web/form_web.h"
#include "editor/web/web_gallery_command.h"
#include "tests/documents/web/gallery_test_support.h"
#include "tests/recording_prompter.h"
#include "tests/when_modal.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace editor;
using namespace gallery_test;

namespace {

class NoShowDialogs final : public ShowDialogs {
public:
    QStringList chooseImages() override { return {}; }
    std::optional<QString> chooseFolder(const QString &) override { return {}; }
    std::optional<QString> saveProject(const QString &) override { return {}; }
    std::optional<QString> openProject() override { return {}; }
    std::optional<QString> openOldScript() override { return {}; }
    std::optional<QString> chooseMusic() override { return {}; }
    std::optional<QColor> chooseColour(const QColor &) override { return {}; }
};

class WebWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_config = std::make_unique<ConfigFile>(file(QStringLiteral("Lumivelle.cfg")));
        m_window = std::make_unique<TMainLumivelle3000>(*m_config);
        installShowArea(*m_window, std::make_unique<NoShowDialogs>());
        m_command = installWebGallery(*m_window);
        m_command->chooseFile = [this](QWidget *) {
            ++m_fileDialogs;
            return m_chosenFile;
        };
        m_command->chooseColour = [this](const QColor &initial, QWidget *) {
            m_initialColours << initial;
            return m_chosenColour;
        };
        m_window->resize(900, 600);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        QTest::qWait(20);
        m_window->activateWindow();
    }

    void TearDown() override
    {
        m_window.reset();
        m_config.reset();
    }

    QString file(const QString &name) const { return m_dir.filePath(name); }

    // A show of pictures p0.png... (the name `broken` holds no picture), opened as the
    // command line opens one, on the show tab.
    void openShow(int count, const QString &broken = {})
    {
        showdoc::ShowProject project;
        for (int i = 0; i < count; ++i) {
            showdoc::ShowSlide slide;
            slide.path = file(QStringLiteral("photos/p%1.png").arg(i));
            writePicture(slide.path, 160 + i, 120);
            slide.entry.caption = QStringLiteral("Photo <%1>").arg(i);
            project.slides.push_back(slide);
        }
        if (!broken.isEmpty()) {
            showdoc::ShowSlide slide;
            slide.path = file(QStringLiteral("photos/") + broken);
            QFile junk(slide.path);
            EXPECT_TRUE(junk.open(QIODevice::WriteOnly));
            junk.write("pas une image");
            project.slides.push_back(slide);
        }
        const QString dap = file(QStringLiteral("show.dap"));
        ASSERT_TRUE(showdoc::SaveProjectFile(dap, project));
        m_window->openShowProject(dap);
        m_window->setActiveTab(2);
    }

    // Presses F11 (or runs the command as a toolbar button does, whatever its enabled
    // flag) and runs `act` on the dialog once it shows; false when none showed.
    bool withDialog(const std::function<void(TFormWeb &)> &act, bool byKey = true)
    {
        const auto poll = test_support::whenModal<TFormWeb>(
            [act](TFormWeb &dialog) {
                QApplication::setActiveWindow(&dialog); // focus moves between its fields only when it is active
                EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
                act(dialog);
                if (dialog.isVisible())
                    dialog.reject();
            },
            50);
        if (byKey)
            QTest::keyClick(m_window.get(), Qt::Key_F11);
        else
            m_window->command(CommandId::LumivelleWeb).execute();
        (void)QTest::qWaitFor([&poll] { return poll->over(); }, 5000);
        return poll->answered;
    }

    static QPushButton *button(TFormWeb &dialog, const char *name)
    {
        return dialog.findChild<QPushButton *>(QString::fromLatin1(name));
    }
    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }
    // A check box is clicked on its box.
    static void click(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }
    // Types into a field as a user does: click, select all, type.
    static void type(QWidget *field, const QString &text)
    {
        click(field);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        for (const QChar c : text) // keys of any letter, accented ones included
            QTest::sendKeyEvent(QTest::Click, field, c.unicode() < 0x80 ? QTest::asciiToKey(char(c.unicode())) : Qt::Key_unknown,
                                QString(c), Qt::NoModifier);
    }
    static QString shown(WebNumberField *field) { return field->findChild<QLineEdit *>()->text(); }

    QString setting(const char *key) const
    {
        return ConfigFile(file(QStringLiteral("Lumivelle.cfg")))
            .readString(QStringLiteral("WEB"), QString::fromLatin1(key), QStringLiteral("<absent>"));
    }

    QTemporaryDir m_dir;
    RecordingPrompter m_prompter;
    std::unique_ptr<ConfigFile> m_config;
    std::unique_ptr<TMainLumivelle3000> m_window;
    WebGalleryCommand *m_command = nullptr;
    std::optional<QString> m_chosenFile;
    std::optional<QColor> m_chosenColour;
    int m_fileDialogs = 0;
    QList<QColor> m_initialColours;
};

} // namespace

TEST_F(WebWindowTest, SettingsAreReadOnShowingAndWrittenOnCancel)
{
    ASSERT_TRUE(m_config->writeString(QStringLiteral("WEB"), QStringLiteral("Title"), QStringLiteral("Mes photos")));
    ASSERT_TRUE(m_config->writeInteger(QStringLiteral("WEB"), QStringLiteral("Col"), 50));
    ASSERT_TRUE(m_config->writeInteger(QStringLiteral("WEB"), QStringLiteral("Line"), 0));
    ASSERT_TRUE(m_config->writeInteger(QStringLiteral("WEB"), QStringLiteral("SizeBorder"), 7));
    ASSERT_TRUE(m_config->writeInteger(QStringLiteral("WEB"), QStringLiteral("AddComment"), 1));
    ASSERT_TRUE(m_config->writeInteger(QStringLiteral("WEB"), QStringLiteral("ColorPage"), 255));
    openShow(2);
    EXPECT_TRUE(withDialog([&](TFormWeb &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Lumivelle WEB"));
        EXPECT_EQ(form.EditNom->text(), QString());
        EXPECT_TRUE(form.EditNom->isReadOnly());
        EXPECT_EQ(form.EditTitre->text(), QStringLiteral("Mes photos"));
        EXPECT_EQ(shown(form.SpinCol), QStringLiteral("10")); // clamped into the fields' ranges
        EXPECT_EQ(shown(form.SpinLine), QStringLiteral("1"));
        EXPECT_EQ(shown(form.SpinBord), QStringLiteral("7"));
        EXPECT_TRUE(form.CheckComment->isChecked());
        EXPECT_FALSE(form.CheckBordVignette->isChecked());
        EXPECT_EQ(form.PanelColorF->colour(), 255u);
        EXPECT_EQ(form.PanelColorT->colour(), kColourWhite);
        type(form.EditCopyright, QStringLiteral("© moi"));
        click(form.CheckBordVignette);
        click(button(form, "ButtonAnnuler"));
    }));
    EXPECT_EQ(setting("Col"), QStringLiteral("10"));
    EXPECT_EQ(setting("Line"), QStringLiteral("1"));
    EXPECT_EQ(setting("Copyright"), QStringLiteral("© moi"));
    EXPECT_EQ(setting("BorderVignette"), QStringLiteral("1"));
    EXPECT_EQ(setting("ColorLine"), QStringLiteral("12632256"));
    EXPECT_TRUE(m_prompter.asked.empty());
    EXPECT_EQ(QDir(file(QString())).entryList({QStringLiteral("*.htm")}, QDir::Files), QStringList());

    // The next opening shows what the last one left, the file name excepted.
    m_chosenFile = file(QStringLiteral("site/galerie.htm"));
    QDir().mkpath(file(QStringLiteral("site")));
    EXPECT_TRUE(withDialog([&](TFormWeb &form) {
        click(form.SpeedB_Open);
        EXPECT_EQ(form.EditNom->text(), *m_chosenFile);
        click(button(form, "ButtonAnnuler"));
    }));
    EXPECT_TRUE(withDialog([&](TFormWeb &form) {
        EXPECT_EQ(form.EditNom->text(), QString());
        EXPECT_EQ(form.EditCopyright->text(), QStringLiteral("© moi"));
        EXPECT_TRUE(form.CheckBordVignette->isChecked());
    }));
}

TEST_F(WebWindowTest, TheDialogsChoicesMakeTheGallery)
{
    openShow(5);
    m_chosenFile = file(QStringLiteral("site/vacances.html"));
    QDir().mkpath(file(QStringLiteral("site")));
    m_chosenColour = QColor(0xFF, 0x00, 0x80);
    QList<int> progress;
    QObject::connect(m_window->progressBar(), &QProgressBar::valueChanged, m_window.get(),
                     [&progress](int value) { progress << value; });
    EXPECT_TRUE(withDialog([&](TFormWeb &form) {
        click(form.SpeedB_Open);
        type(form.EditTitre, QStringLiteral("Été <2024> & co"));
        type(form.SpinCol, QStringLiteral("2"));
        type(form.SpinLine, QStringLiteral("2"));
        type(form.SpinBord, QStringLiteral("3"));
        click(form.CheckComment);
        type(form.EditEMail, QStringLiteral("moi@exemple.fr"));
        type(form.EditTextURL, QStringLiteral("Accueil"));
        type(form.EditURL, QStringLiteral("../index.htm"));
        click(form.PanelColorF);
        click(button(form, "ButtonOk"));
    }));
    EXPECT_EQ(m_initialColours, QList<QColor>({QColor(Qt::black)}));
    EXPECT_TRUE(m_prompter.asked.empty());
    const QStringList page0 = pageLines(readBytes(file(QStringLiteral("site/vacances.html"))));
    const QStringList page1 = pageLines(readBytes(file(QStringLiteral("site/vacances1.html"))));
    EXPECT_EQ(page0.value(4), QStringLiteral(" <title>Été &lt;2024&gt; &amp; co</title>"));
    EXPECT_TRUE(page0.contains(QStringLiteral("<table border=\"3\" cellspacing=\"0\" bordercolor=\"#C0C0C0\">")));
    EXPECT_TRUE(page0.contains(QStringLiteral("<body bgcolor=\"#FF0080\" TEXT=\"#FFFFFF\" LINK=\"#FFFFFF\" ALINK=\"#FFFFFF\" "
                                              "VLINK=\"#FFFFFF\">")));
    EXPECT_EQ(imageRows(page0).size(), 2);
    EXPECT_EQ(imageRows(page1), QList<QStringList>({{QStringLiteral("s_p4.jpg\",\"p4.jpg")}}));
    EXPECT_TRUE(page0.contains(QStringLiteral("   <td width=\"120\" valign=\"Top\" align=\"center\"><font size=\"-1\">"
                                              "Photo &lt;0&gt;</font>")));
    EXPECT_TRUE(page1.contains(QStringLiteral("<p><A HREF=\"../index.htm\">Accueil</A></p>")));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(QFileInfo(file(QStringLiteral("site/s_p%1.jpg").arg(i))).isFile());
    EXPECT_EQ(setting("Title"), QStringLiteral("Été <2024> & co"));
    EXPECT_EQ(setting("Col"), QStringLiteral("2"));
    EXPECT_EQ(setting("ColorPage"), QString::number(makeColour(0xFF, 0x00, 0x80)));
    EXPECT_EQ(progress, QList<int>({1, 2, 3, 4, 5, 0})) << "one step a slide, back to 0 at the end";
    EXPECT_FALSE(m_window->list(GridSlot::Show)->state().busy);
}

TEST_F(WebWindowTest, NumberFieldsAreClampedOnLeaving)
{
    openShow(12);
    m_chosenFile = file(QStringLiteral("g.htm"));
    EXPECT_TRUE(withDialog([&](TFormWeb &form) {
        click(form.SpeedB_Open);
        type(form.SpinCol, QStringLiteral("50"));
        QTest::keyClick(form.SpinCol, Qt::Key_Tab);
        EXPECT_EQ(shown(form.SpinCol), QStringLiteral("10"));
        QTest::keyClick(form.SpinCol, Qt::Key_Up);
        EXPECT_EQ(form.SpinCol->value(), 10) << "the arrows stay within the range";
        type(form.SpinLine, QStringLiteral("0"));
        click(form.SpinBord);
        EXPECT_EQ(shown(form.SpinLine), QStringLiteral("1"));
        type(form.SpinBord, QString());
        click(form.EditTitre);
        EXPECT_EQ(shown(form.SpinBord), QStringLiteral("0")) << "an emptied field takes its minimum";
        type(form.SpinBord, QStringLiteral("99"));
        click(form.EditTitre);
        EXPECT_EQ(shown(form.SpinBord), QStringLiteral("10"));
        // Typed and confirmed with Enter, without leaving the field: the gallery's own
        // rule applies (0 columns count as 5).
        type(form.SpinCol, QStringLiteral("0"));
        QTest::keyClick(form.SpinCol, Qt::Key_Return);
    }));
    EXPECT_EQ(setting("Col"), QStringLiteral("0"));
    EXPECT_EQ(setting("Line"), QStringLiteral("1"));
    EXPECT_EQ(setting("SizeBorder"), QStringLiteral("10"));
    QList<int> sizes;
    for (const QStringList &row : imageRows(pageLines(readBytes(file(QStringLiteral("g.htm"))))))
        sizes << int(row.size());
    EXPECT_EQ(sizes, QList<int>({5}));
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("g2.htm"))).isFile());
    EXPECT_FALSE(QFileInfo(file(QStringLiteral("g3.htm"))).isFile());
}

TEST_F(WebWindowTest, TheFileNameIsRequiredAndAnExistingFileAsked)
{
    openShow(2);
    EXPECT_TRUE(withDialog([&](TFormWeb &form) { click(button(form, "ButtonOk")); }));
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].kind, messages::Kind::Information);
    EXPECT_EQ(m_prompter.asked[0].text, QStringLiteral("Le nom du fichier est obligatoire"));
    EXPECT_EQ(setting("Col"), QStringLiteral("5")) << "the settings are written all the same";
    EXPECT_EQ(QDir(file(QString())).entryList({QStringLiteral("*.jpg")}, QDir::Files), QStringList());

    m_prompter.asked.clear();
    const QString existing = file(QStringLiteral("ancienne.htm"));
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    m_chosenFile = existing;
    m_prompter.answers = {messages::Answer::Cancel, messages::Answer::Yes};
    EXPECT_TRUE(withDialog([&](TFormWeb &form) {
        click(form.SpeedB_Open);
        EXPECT_EQ(form.EditNom->text(), QString()) << "Cancel leaves the name as it was";
        click(form.SpeedB_Open);
        EXPECT_EQ(form.EditNom->text(), existing);
        m_chosenFile.reset();
        click(form.SpeedB_Open);
        EXPECT_EQ(form.EditNom->text(), existing) << "a file dialog left without a name changes nothing";
        click(button(form, "ButtonOk"));
    }));
    EXPECT_EQ(m_fileDialogs, 3);
    ASSERT_EQ(m_prompter.asked.size(), 2u);
    EXPECT_EQ(m_prompter.asked[0].kind, messages::Kind::Confirmation);
    EXPECT_EQ(m_prompter.asked[0].buttons, messages::Buttons::YesCancel);
    EXPECT_EQ(m_prompter.asked[0].text, QStringLiteral("Le fichier < ancienne.htm > existe déjà\rremplacer le fichier existant ?"));
    EXPECT_GT(QFileInfo(existing).size(), 1000);
}

TEST_F(WebWindowTest, WhatFailedIsReportedOnceAndTheRestWritten)
{
    openShow(3, QStringLiteral("casse.jpg"));
    m_chosenFile = file(QStringLiteral("site/g.htm"));
    QDir().mkpath(file(QStringLiteral("site/s_p1.jpg"))); // a folder where a thumbnail should go
    EXPECT_TRUE(withDialog([&](TFormWeb &form) {
        click(form.SpeedB_Open);
        click(button(form, "ButtonOk"));
    }));
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].kind, messages::Kind::Warning);
    const QStringList lines = m_prompter.asked[0].text.split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(file(QStringLiteral("site/s_p1.jpg"))));
    EXPECT_TRUE(lines[2].startsWith(file(QStringLiteral("photos/casse.jpg"))));
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("site/p1.jpg"))).isFile());
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("site/s_p2.jpg"))).isFile());
    EXPECT_EQ(imageRows(pageLines(readBytes(file(QStringLiteral("site/g.htm"))))).value(0).size(), 4);
}

TEST_F(WebWindowTest, TheCommandWaitsForAShowWithSlidesOnItsTab)
{
    for (const bool byKey : {true, false}) {
        m_window->setActiveTab(2);
        EXPECT_FALSE(withDialog([](TFormWeb &) {}, byKey)) << "no show open";
    }
    openShow(1);
    for (const bool byKey : {true, false}) {
        m_window->setActiveTab(1);
        EXPECT_FALSE(withDialog([](TFormWeb &) {}, byKey)) << "on the explorer tab";
        m_window->setActiveTab(2);
        m_window->list(GridSlot::Show)->state().busy = true;
        EXPECT_FALSE(withDialog([](TFormWeb &) {}, byKey)) << "while the slide list is busy";
        m_window->list(GridSlot::Show)->state().busy = false;
        EXPECT_TRUE(withDialog([](TFormWeb &form) { form.reject(); }, byKey));
    }
}

TEST_F(WebWindowTest, HelpOpensItsPage)
{
    setHelpFile(QStringLiteral(LUMIVELLE_BIN_DIR "/Lumivelle.chm"));
    ASSERT_TRUE(helpFileAvailable());
    openShow(1);
    EXPECT_TRUE(withDialog([&](TFormWeb &form) {
        EXPECT_EQ(button(form, "ButtonAnnuler")->text(), QStringLiteral("A&nnuler"));
        click(button(form, "ButtonAide"));
        ASSERT_NE(currentHelpViewer(), nullptr);
        EXPECT_EQ(currentHelpViewer()->browser()->documentTitle(), QStringLiteral("Lumivelle WEB"));
        form.reject();
    }));
    currentHelpViewer()->close();
    setHelpFile(QStringLiteral("/nowhere/Lumivelle.chm"));
}
