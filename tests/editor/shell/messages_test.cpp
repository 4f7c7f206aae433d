#include "editor/shell/about_dialog.h"
#include "ui/busy_cursor.h"
#include "ui/french_ui.h"
#include "ui/lumivelle_application.h"
#include "ui/messages.h"
#include "editor/shell/status_line.h"
#include "tests/recording_prompter.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct BoxSeen {
    QString title;
    QStringList buttons;
};

// Reads the next message box as soon as it is open and clicks the button with `click`.
void readBox(BoxSeen &seen, const QString &click)
{
    QTimer::singleShot(0, [&seen, click] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        seen.title = box->windowTitle();
        for (QAbstractButton *button : box->buttons())
            seen.buttons << button->text();
        for (QAbstractButton *button : box->buttons())
            if (button->text() == click)
                button->click();
    });
}

class Thrower : public QObject {
public:
    bool event(QEvent *) override { throw std::runtime_error("Disque plein"); }
};

} // namespace

TEST(Messages, TheFourKindsHaveTheirFrenchTitlesAndButtons)
{
    BoxSeen warning;
    readBox(warning, "OK");
    messages::warning(QStringLiteral("Fichier non géré par Lumivelle."));
    EXPECT_EQ(warning.title, QStringLiteral("Avertissement"));
    EXPECT_EQ(warning.buttons, QStringList({"OK"}));

    BoxSeen question;
    readBox(question, "&Non");
    EXPECT_EQ(messages::confirm(QStringLiteral("Enregistrer ?"), messages::Buttons::YesNoCancel),
              messages::Answer::No);
    EXPECT_EQ(question.title, QStringLiteral("Confirmation"));
    EXPECT_EQ(QSet<QString>(question.buttons.begin(), question.buttons.end()),
              QSet<QString>({"&Oui", "&Non", "Annuler"}));

    BoxSeen cancel;
    readBox(cancel, "Annuler");
    EXPECT_EQ(messages::confirm(QStringLiteral("Supprimer ?"), messages::Buttons::YesCancel),
              messages::Answer::Cancel);
    EXPECT_EQ(cancel.buttons.size(), 2);

    EXPECT_EQ(messages::title(messages::Kind::Information), QStringLiteral("Information"));
    EXPECT_EQ(messages::title(messages::Kind::Error), QStringLiteral("Erreur"));
}

TEST(Messages, TheOverwriteQuestionOffersYesToAll)
{
    BoxSeen all;
    readBox(all, "Oui pour &tous");
    EXPECT_EQ(messages::confirm(QStringLiteral("Remplacer ?"), messages::Buttons::YesAllNoCancel),
              messages::Answer::YesToAll);
    EXPECT_EQ(QSet<QString>(all.buttons.begin(), all.buttons.end()),
              QSet<QString>({"&Oui", "Oui pour &tous", "&Non", "Annuler"}));

    BoxSeen no;
    readBox(no, "&Non");
    EXPECT_EQ(messages::confirm(QStringLiteral("Remplacer ?"), messages::Buttons::YesAllNoCancel),
              messages::Answer::No);
}

TEST(Messages, UnattendedModeAnswersWithTheFirstButtonWithoutABox)
{
    qputenv("LUMIVELLE_UNATTENDED", "1");
    EXPECT_EQ(messages::confirm(QStringLiteral("Continuer ?"), messages::Buttons::YesNo), messages::Answer::Yes);
    messages::error(QStringLiteral("rien"));
    qunsetenv("LUMIVELLE_UNATTENDED");
}

TEST(Messages, AnExceptionReachingTheEventLoopIsShownAsAnErrorAndTheProgramGoesOn)
{
    RecordingPrompter prompter;
    Thrower thrower;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &event));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Error);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("Disque plein"));
}

TEST(Messages, TheProgramTitleNamesPlainBoxesAndIsNotAddedToOtherTitles)
{
    const QString before = QCoreApplication::applicationName();
    ui::setProgramTitle(QStringLiteral("Lumivelle"));
    EXPECT_EQ(messages::title(messages::Kind::Plain), QStringLiteral("Lumivelle"));
    // A display name of its own would be appended by the desktop to every window title
    // ("Avertissement — Lumivelle"); left unset, it keeps following the application name.
    QCoreApplication::setApplicationName(QStringLiteral("Autre"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Autre"));
    QCoreApplication::setApplicationName(before);
}

TEST(ProgressSteps, TheBarReturnsToZeroEvenWhenTheLoopFails)
{
    editor::StatusLine status;
    QProgressBar *bar = status.progressBar();
    try {
        editor::ProgressSteps steps(bar, 4);
        EXPECT_EQ(bar->maximum(), 4);
        steps.step();
        steps.step();
        EXPECT_EQ(bar->value(), 2);
        throw std::runtime_error("fichier illisible");
    } catch (const std::runtime_error &) {
    }
    EXPECT_EQ(bar->value(), 0);
    {
        editor::ProgressSteps steps(bar, 1);
        steps.step();
        steps.step();
        EXPECT_EQ(bar->value(), 1);
    }
    EXPECT_EQ(bar->value(), 0);
}

TEST(BusyCursor, TheHourglassLastsForTheScope)
{
    {
        ui::BusyCursor busy;
        ASSERT_TRUE(QGuiApplication::overrideCursor());
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(AboutDialog, ShowsTheNameAndVersionOnWhite)
{
    editor::AboutDialog about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("A propos de ..."));
    EXPECT_TRUE(about.isModal());
    QStringList texts;
    QLabel *name = nullptr;
    for (QLabel *label : about.findChildren<QLabel *>()) {
        texts << label->text();
        if (label->text() == "LUMIVELLE")
            name = label;
    }
    EXPECT_TRUE(texts.contains("Version 3.01"));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->font().pixelSize(), 40);
    EXPECT_TRUE(name->font().bold());
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(Qt::white));
    auto *ok = about.findChild<QPushButton *>();
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->text(), QStringLiteral("&Ok"));
    EXPECT_EQ(ok->statusTip(), QStringLiteral("Fermer la fiche à propos..."));
    QLabel *picture = nullptr;
    for (QLabel *label : about.findChildren<QLabel *>())
        if (!label->pixmap().isNull())
            picture = label;
    EXPECT_TRUE(picture);
}

TEST(FrenchInterface, QtsOwnDialogsReadInFrenchAndMsSansSerifIsFound)
{
    EXPECT_GE(ui::installFrenchTranslations(*QCoreApplication::instance()), 1);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    ui::installFontSubstitutions();
    EXPECT_EQ(QFont::substitute(QStringLiteral("MS Sans Serif")).toLower(), QStringLiteral("liberation sans"));
}
