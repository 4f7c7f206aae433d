#include "editor/shell/form_option.h"
#include "editor/shell/help.h"
#include "imaging/readers/picture_loader.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace editor;

namespace {

// Runs `fill` on the options dialog as soon as it is open, then clicks one of its buttons.
void answerOptions(const std::function<void(TFormOption &)> &fill, const char *button)
{
    QTimer::singleShot(0, [fill, button] {
        auto *dialog = qobject_cast<TFormOption *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        fill(*dialog);
        QTest::mouseClick(dialog->findChild<QPushButton *>(button), Qt::LeftButton);
    });
}

void typeUnit(TFormOption &dialog, const QString &text)
{
    dialog.SpinUnit->lineEdit()->selectAll();
    QTest::keyClicks(dialog.SpinUnit->lineEdit(), text);
}

} // namespace

class OptionsTest : public WindowTest {
protected:
    void SetUp() override
    {
        QDir().mkpath(m_dir.filePath("albums"));
        writeConfig("[Application]\nRep_Collec=" + m_dir.filePath("albums").toUtf8() + "\nUnitLumivelle=500\n");
        TMainLumivelle3000 &w = openWindow();
        explorerGrid = new CountingGrid;
        showGrid = new CountingGrid;
        explorerGrid->entries = true;
        w.setGrid(GridSlot::Explorer, explorerGrid);
        w.setGrid(GridSlot::Show, showGrid);
    }
    CountingGrid *explorerGrid = nullptr;
    CountingGrid *showGrid = nullptr;
};

TEST_F(OptionsTest, OkStoresTheFieldsAndLaysOutTheGridsThatHoldEntries)
{
    EXPECT_EQ(window().settings().UnitLumivelle, 500); // used as read until confirmed
    EXPECT_EQ(explorerGrid->extraHeight, 35);
    answerOptions([](TFormOption &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Options"));
        EXPECT_EQ(d.EditDir->text(), QDir::cleanPath(d.EditDir->text()));
        EXPECT_FALSE(d.EditDir->text().isEmpty());
        d.CheckInfos->setChecked(false);
        d.CheckQualite->setChecked(false);
        EXPECT_EQ(d.CheckOrient->text(), QStringLiteral("Redresser les photos selon l'orientation de l'appareil"));
        EXPECT_TRUE(d.CheckOrient->isChecked());
        QTest::mouseClick(d.CheckOrient, Qt::LeftButton, {}, QPoint(5, d.CheckOrient->height() / 2));
        typeUnit(d, "12");
    }, "ButtonOk");
    ASSERT_TRUE(imaging::autoOrient());
    window().OptionExecute();
    const EditorSettings &s = window().settings();
    EXPECT_FALSE(s.InfoVignette);
    EXPECT_FALSE(s.FilterOk);
    EXPECT_FALSE(s.AutoOrient);
    EXPECT_FALSE(imaging::autoOrient()); // the readers follow at once
    EXPECT_EQ(s.UnitLumivelle, 12);
    EXPECT_EQ(s.Rep_Collec, m_dir.filePath("albums"));
    EXPECT_EQ(explorerGrid->extraHeight, 6);
    EXPECT_EQ(showGrid->extraHeight, 6);
    EXPECT_EQ(explorerGrid->layouts, 1);
    EXPECT_EQ(showGrid->layouts, 0); // an empty grid is not laid out again
    EXPECT_EQ(explorerGrid->colourChanges, 1); // only when it was put in place

    answerOptions([](TFormOption &) {}, "ButtonOk"); // nothing changed: no new layout
    window().OptionExecute();
    EXPECT_EQ(explorerGrid->layouts, 1);
    EXPECT_EQ(explorerGrid->colourChanges, 1);
    answerOptions([](TFormOption &d) { d.CheckOrient->setChecked(true); }, "ButtonOk");
    window().OptionExecute();
    EXPECT_TRUE(imaging::autoOrient());
}

TEST_F(OptionsTest, CancelChangesNothing)
{
    const EditorSettings before = window().settings();
    answerOptions([](TFormOption &d) {
        d.CheckInfos->setChecked(false);
        d.PanelF->setColour(0x123456);
        d.EditDir->clear();
        typeUnit(d, "7");
    }, "ButtonAnnuler");
    window().OptionExecute();
    const EditorSettings &s = window().settings();
    EXPECT_EQ(s.InfoVignette, before.InfoVignette);
    EXPECT_EQ(s.cologrid, before.cologrid);
    EXPECT_EQ(s.Rep_Collec, before.Rep_Collec);
    EXPECT_EQ(s.UnitLumivelle, 500);
    EXPECT_EQ(explorerGrid->layouts, 0);
}

TEST_F(OptionsTest, OutOfRangeIntervalsBecomeFiveAndAMissingFolderIsCleared)
{
    for (const char *typed : {"0", "121", "1000"}) {
        answerOptions([typed, this](TFormOption &d) {
            typeUnit(d, typed);
            d.EditDir->setText(m_dir.filePath("gone"));
            d.PanelS->setColour(0x0000FF);
        }, "ButtonOk");
        window().OptionExecute();
        EXPECT_EQ(window().settings().UnitLumivelle, 5) << typed;
        EXPECT_EQ(window().settings().Rep_Collec, QString());
    }
    EXPECT_EQ(window().settings().colosel, 0x0000FFu);
    EXPECT_EQ(explorerGrid->colourChanges, 2); // repainted once, when the colour changed
}

TEST_F(OptionsTest, AnEmptiedIntervalCountsAsOne)
{
    answerOptions([](TFormOption &d) {
        d.SpinUnit->setFocus();
        typeUnit(d, "9");
        QTest::keyClick(d.SpinUnit->lineEdit(), Qt::Key_Backspace);
        d.EditDir->setFocus(); // leaving the field must not bring the old value back
    }, "ButtonOk");
    window().OptionExecute();
    EXPECT_EQ(window().settings().UnitLumivelle, 1);
}

TEST(OptionDialog, SwatchesLookPressedWhileHeldAndTakeTheChosenColour)
{
    OptionValues values;
    values.colonorm = 0x112233;
    values.unitText = "5";
    TFormOption dialog(values);
    QColor offered;
    std::optional<QColor> answer = QColor(255, 0, 128);
    dialog.setColourChooser([&](const QColor &initial, QWidget *) {
        offered = initial;
        return answer;
    });
    dialog.show();
    QTest::mousePress(dialog.PanelV, Qt::LeftButton);
    EXPECT_EQ(dialog.PanelV->frameShadow(), QFrame::Sunken);
    QTest::mouseRelease(dialog.PanelV, Qt::LeftButton);
    EXPECT_EQ(dialog.PanelV->frameShadow(), QFrame::Raised);
    EXPECT_EQ(offered, QColor(0x33, 0x22, 0x11));
    EXPECT_EQ(dialog.values().colonorm, makeColour(255, 0, 128));
    answer.reset();
    QTest::mouseClick(dialog.PanelV, Qt::LeftButton);
    EXPECT_EQ(dialog.values().colonorm, makeColour(255, 0, 128));

    dialog.setFolderChooser([](QWidget *, const QString &) { return QStringLiteral("/choisi"); });
    QTest::mouseClick(dialog.SpeedBDir, Qt::LeftButton);
    EXPECT_EQ(dialog.values().albumFolder, QStringLiteral("/choisi"));
}

TEST(OptionDialog, TheSpinArrowsStayWithinOneTo120)
{
    OptionValues values;
    values.unitText = "120";
    TFormOption dialog(values);
    dialog.SpinUnit->stepUp();
    EXPECT_EQ(dialog.SpinUnit->value(), 120);
    dialog.SpinUnit->setValue(1);
    dialog.SpinUnit->stepDown();
    EXPECT_EQ(dialog.SpinUnit->value(), 1);
}

TEST(OptionDialog, HelpDoesNothingWithoutAHelpFile)
{
    setHelpFile(QStringLiteral("/nowhere/Lumivelle.chm"));
    TFormOption dialog(OptionValues{});
    QTest::mouseClick(dialog.findChild<QPushButton *>("ButtonAide"), Qt::LeftButton);
    EXPECT_EQ(currentHelpViewer(), nullptr);
}
