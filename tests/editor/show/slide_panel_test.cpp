// The slide panel through real widget events: what it shows after clicks, and edits that
// reach every selected slide; the transition chooser and the copy of parameters.
#include "editor/grid/thumbnail_grid.h"
#include "editor/show/form_copy_lumiv.h"
#include "editor/show/form_effect.h"
#include "show_window_fixture.h"
#include "transitions/core/style_names.h"
#include "transitions/pic_show.h"
#include "ui/colour_swatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace editor;
using namespace show_test;

namespace {

class SlidePanelTest : public ShowWindowTest {
protected:
    void SetUp() override
    {
        ShowWindowTest::SetUp();
        newShow();
        paths = addPictures(12);
        document().modified = false;
    }
    // Slides 2, 5 and 7 (numbers from 1) selected, 5 current.
    void selectTwoFiveSeven()
    {
        click(1);
        click(6, Qt::ControlModifier);
        click(4, Qt::ControlModifier);
        ASSERT_EQ(slides().state().currentIndex, 4);
    }
    std::vector<int> times() const
    {
        std::vector<int> t;
        for (int i = 0; i < m_area->slides().count(); ++i)
            t.push_back(m_area->slides().slide(i).displayTime);
        return t;
    }
    QStringList paths;
};

std::vector<int> withAt(std::vector<int> values, std::initializer_list<int> at, int value)
{
    for (int i : at)
        values[std::size_t(i)] = value;
    return values;
}

} // namespace

TEST_F(SlidePanelTest, ClickingASlideShowsItsPlaceAndValues)
{
    EXPECT_FALSE(panel().EditDuree->isEnabled());
    EXPECT_EQ(panel().LabelPosition->text(), QStringLiteral("Image :"));
    EXPECT_EQ(panel().LabelOrigine->text(), QStringLiteral("Emplacement :"));
    slides().slide(2).caption = QStringLiteral("Trois");
    slides().slide(2).style = 64;
    click(2);
    EXPECT_TRUE(panel().EditDuree->isEnabled());
    EXPECT_EQ(panel().LabelPosition->text(), QStringLiteral("Image : 3  de  12"));
    EXPECT_EQ(panel().LabelOrigine->text(), QStringLiteral("Origine : ") + m_dir.path().toLower() + QLatin1Char('/'));
    EXPECT_EQ(panel().EditDuree->text(), QStringLiteral("5"));
    EXPECT_TRUE(panel().CheckBorder->isChecked());
    EXPECT_EQ(panel().PanelColorB->colour(), kColourSilver);
    EXPECT_EQ(panel().EditTexte->text(), QStringLiteral("Trois"));
    EXPECT_EQ(panel().QB_PanelEffect->text(), QStringLiteral("64"));
    EXPECT_FALSE(document().modified) << "filling the panel changes no slide";

    QTest::keyClick(grid().viewport(), Qt::Key_Right);
    EXPECT_EQ(panel().LabelPosition->text(), QStringLiteral("Image : 4  de  12"));
    EXPECT_TRUE(panel().EditTexte->text().isEmpty());
}

TEST_F(SlidePanelTest, TypingATimeWritesItIntoEverySelectedSlide)
{
    selectTwoFiveSeven();
    slides().slide(4).caption = QStringLiteral("cinq");
    click(4, Qt::ControlModifier); // Ctrl toggles it off and on again: still current
    click(4, Qt::ControlModifier);
    document().modified = false;
    QTest::keyClick(panel().EditDuree, Qt::Key_End);
    QTest::keyClick(panel().EditDuree, Qt::Key_Backspace);
    // Deleting the last digit puts 5 back (and writes it).
    EXPECT_EQ(panel().EditDuree->text(), QStringLiteral("5"));
    panel().EditDuree->selectAll();
    QTest::keyClicks(panel().EditDuree, QStringLiteral("8"));
    EXPECT_EQ(times(), withAt(std::vector<int>(12, 5), {1, 4, 6}, 8));
    EXPECT_EQ(panel().EditTexte->text(), QStringLiteral("cinq")) << "the panel keeps showing slide 5";
    EXPECT_TRUE(document().modified);

    QTest::keyClicks(panel().EditDuree, QStringLiteral("x"));
    EXPECT_EQ(panel().EditDuree->text(), QStringLiteral("8"));
    EXPECT_EQ(messages().last(), QStringLiteral("Saisie numérique uniquement !"));

    panel().EditDuree->selectAll();
    QTest::keyClicks(panel().EditDuree, QStringLiteral("0"));
    EXPECT_EQ(panel().EditDuree->text(), QStringLiteral("5")) << "0 alone gives 5";
    EXPECT_EQ(times(), std::vector<int>(12, 5));

    // A text that is no number (pasted) leaves the slides; leaving the field puts 3.
    panel().EditDuree->setFocus();
    panel().EditDuree->selectAll();
    panel().EditDuree->insert(QStringLiteral("a1"));
    EXPECT_EQ(times(), std::vector<int>(12, 5));
    panel().EditTexte->setFocus();
    EXPECT_EQ(panel().EditDuree->text(), QStringLiteral("3"));
    EXPECT_EQ(times(), withAt(std::vector<int>(12, 5), {1, 4, 6}, 3));
}

TEST_F(SlidePanelTest, BorderCaptionAndColoursReachEverySelectedSlide)
{
    selectTwoFiveSeven();
    QTest::mouseClick(panel().CheckBorder, Qt::LeftButton);
    QTest::keyClicks(panel().EditTexte, QStringLiteral("Ete 2024"));
    m_dialogs->colours.push_back(QColor(255, 0, 0));
    QTest::mouseClick(panel().PanelColorB, Qt::LeftButton);
    for (int i = 0; i < 12; ++i) {
        const bool chosen = i == 1 || i == 4 || i == 6;
        EXPECT_EQ(slides().slide(i).border, !chosen) << i;
        EXPECT_EQ(slides().slide(i).caption, chosen ? QStringLiteral("Ete 2024") : QString()) << i;
        EXPECT_EQ(slides().slide(i).borderColour, chosen ? 0x0000FFu : kColourSilver) << i;
    }
    EXPECT_EQ(m_dialogs->initialColours.back(), QColor(0xC0, 0xC0, 0xC0)) << "the swatch's colour is preselected";
    EXPECT_EQ(panel().PanelColorB->colour(), 0x0000FFu);

    // A cancelled colour dialog still writes the swatch's colour, the current slide's.
    slides().slide(4).backgroundColour = 0x336699;
    click(4, Qt::ControlModifier);
    click(4, Qt::ControlModifier);
    QTest::mouseClick(panel().PanelColorF, Qt::LeftButton);
    EXPECT_EQ(slides().slide(1).backgroundColour, 0x336699u);
    EXPECT_EQ(slides().slide(6).backgroundColour, 0x336699u);
    EXPECT_EQ(slides().slide(0).backgroundColour, kColourBlack);

    QTest::keyClicks(panel().EditTexte, QString(100, QLatin1Char('x')));
    EXPECT_EQ(slides().slide(6).caption.size(), 80);
}

TEST_F(SlidePanelTest, EditsChangeNothingWithoutASelectionOrWhileTheListIsBusy)
{
    click(3);
    slides().state().busy = true;
    QTest::keyClicks(panel().EditTexte, QStringLiteral("occupe"));
    QTest::mouseClick(panel().CheckBorder, Qt::LeftButton);
    QTest::mouseClick(panel().PanelColorT, Qt::LeftButton);
    slides().state().busy = false;
    EXPECT_TRUE(slides().slide(3).caption.isEmpty());
    EXPECT_TRUE(slides().slide(3).border);
    EXPECT_TRUE(m_dialogs->initialColours.empty()) << "no colour dialog under a closed guard";
    EXPECT_FALSE(document().modified);
}

TEST_F(SlidePanelTest, TheChooserPreviewsTheStyleAndSetsItOnOk)
{
    selectTwoFiveSeven();
    bool checked = false;
    whenModal<TFormEffect>([&](TFormEffect &chooser) {
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Sélection d'une transition"));
        EXPECT_EQ(chooser.ComboEffect->count(), 128);
        EXPECT_EQ(chooser.ComboEffect->itemText(127), transitions::styleName(127));
        EXPECT_EQ(chooser.ComboEffect->currentIndex(), 0);
        EXPECT_EQ(chooser.Timer1->interval(), 2500);
        EXPECT_TRUE(chooser.Timer1->isActive());
        EXPECT_EQ(chooser.PicShow1->size(), QSize(420, 315));
        EXPECT_FALSE(chooser.PicShow1->Picture().isNull());
        EXPECT_TRUE(chooser.nextIsImage1());
        chooser.Timer1->setInterval(20); // the next sample comes in
        EXPECT_TRUE(QTest::qWaitFor([&] { return !chooser.nextIsImage1(); }, 2000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return chooser.nextIsImage1(); }, 2000)) << "the two samples take turns";
        chooser.ComboEffect->setFocus();
        for (int i = 0; i < 42; ++i)
            QTest::keyClick(chooser.ComboEffect, Qt::Key_Down);
        EXPECT_EQ(chooser.PicShow1->Style(), 42) << "the preview follows the list";
        checked = true;
        QTest::mouseClick(chooser.findChild<QPushButton *>(QStringLiteral("ButtonOk")), Qt::LeftButton);
    });
    QTest::mouseClick(panel().QB_PanelEffect, Qt::LeftButton);
    ASSERT_TRUE(checked);
    EXPECT_EQ(panel().QB_PanelEffect->text(), QStringLiteral("42"));
    EXPECT_EQ(slides().slide(1).style, 42);
    EXPECT_EQ(slides().slide(6).style, 42);
    EXPECT_EQ(slides().slide(0).style, 0);

    // Cancel changes nothing; a swatch holding an odd number opens on the first style.
    slides().slide(4).style = 300;
    click(4, Qt::ControlModifier);
    click(4, Qt::ControlModifier);
    whenModal<TFormEffect>([](TFormEffect &chooser) {
        EXPECT_EQ(chooser.ComboEffect->currentIndex(), 0);
        chooser.ComboEffect->setCurrentIndex(9);
        QTest::mouseClick(chooser.findChild<QPushButton *>(QStringLiteral("ButtonAnnuler")), Qt::LeftButton);
    });
    QTest::mouseClick(panel().QB_PanelEffect, Qt::LeftButton);
    EXPECT_EQ(slides().slide(1).style, 42);
}

TEST_F(SlidePanelTest, F7CopiesTheCurrentSlidesParametersToAllButTheCaption)
{
    click(3);
    slides().slide(3).displayTime = 9;
    slides().slide(3).style = 77;
    slides().slide(3).caption = QStringLiteral("seule");
    slides().slide(3).backgroundColour = 0x102030;
    whenModal<TFormCopyLumiv>([](TFormCopyLumiv &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Copier les paramètres"));
        EXPECT_TRUE(dialog.CheckTemps->isChecked());
        EXPECT_FALSE(dialog.CheckTextAss->isChecked());
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("ButtonOk")), Qt::LeftButton);
    });
    press(Qt::Key_F7);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(slides().slide(i).displayTime, 9);
        EXPECT_EQ(slides().slide(i).style, 77);
        EXPECT_EQ(slides().slide(i).backgroundColour, 0x102030u);
        EXPECT_EQ(slides().slide(i).caption, i == 3 ? QStringLiteral("seule") : QString());
    }
    EXPECT_TRUE(document().modified);

    // With two slides selected F7 does nothing (no dialog opens).
    slides().slide(0).displayTime = 1;
    click(5, Qt::ControlModifier);
    press(Qt::Key_F7);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(slides().slide(0).displayTime, 1);
}
