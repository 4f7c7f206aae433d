// The show tab's rules without a window: the slide list and its path index, what the
// panel shows, the guard, the display-time corrections, the copy of parameters, moved
// paths and the music file's copy.
#include "editor/show/slide_editing.h"

#include <gtest/gtest.h>

using namespace editor;

namespace {

TEnrData_S slideWith(int seconds, bool selected = false)
{
    TEnrData_S s;
    s.displayTime = seconds;
    s.selected = selected;
    return s;
}

SlideList listOf(int count)
{
    SlideList list;
    for (int i = 0; i < count; ++i)
        list.append(QStringLiteral("/Photos/Été/P%1.JPG").arg(i + 1), slideWith(i + 1));
    return list;
}

} // namespace

TEST(SlideList, APathIsFoundAsTheFileSystemComparesNamesThroughEveryChange)
{
    SlideList list = listOf(3);
    EXPECT_TRUE(list.containsPath(QStringLiteral("/Photos/Été/P2.JPG")));
    // Names differing only in case are two photos here.
    EXPECT_FALSE(list.containsPath(QStringLiteral("/photos/été/p2.jpg")));

    list.setPath(1, QStringLiteral("/Neu/P2.JPG"));
    EXPECT_FALSE(list.containsPath(QStringLiteral("/Photos/Été/P2.JPG")));
    EXPECT_TRUE(list.containsPath(QStringLiteral("/Neu/P2.JPG")));

    // A move can put two slides on one path; the path stays known until both are gone.
    list.setPath(2, QStringLiteral("/Neu/P2.JPG"));
    list.removeAt(1);
    EXPECT_TRUE(list.containsPath(QStringLiteral("/Neu/P2.JPG")));
    list.removeAt(1);
    EXPECT_FALSE(list.containsPath(QStringLiteral("/Neu/P2.JPG")));

    list.move(0, 0);
    list.clear();
    EXPECT_FALSE(list.containsPath(QStringLiteral("/Photos/Été/P1.JPG")));
}

TEST(SlideList, RemovingTheSelectedKeepsTheOthersInOrder)
{
    SlideList list = listOf(5);
    list.slide(1).selected = true;
    list.slide(3).selected = true;
    EXPECT_EQ(list.removeSelected(), 2);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.slide(0).displayTime, 1);
    EXPECT_EQ(list.slide(1).displayTime, 3);
    EXPECT_EQ(list.slide(2).displayTime, 5);
    EXPECT_FALSE(list.containsPath(QStringLiteral("/Photos/Été/P2.JPG")));
    EXPECT_TRUE(list.containsPath(QStringLiteral("/Photos/Été/P3.JPG")));
}

TEST(SlidePanelView, ShowsTheCurrentSlideOrEmptyEditors)
{
    SlideList list = listOf(12);
    EXPECT_FALSE(slidePanelView(list).enabled) << "nothing selected";
    EXPECT_EQ(slidePanelView(list).position, QStringLiteral("Image :"));
    EXPECT_EQ(slidePanelView(list).origin, QStringLiteral("Emplacement :"));

    list.slide(2).selected = true;
    list.slide(2).caption = QStringLiteral("Légende");
    list.slide(2).style = 17;
    list.slide(2).border = false;
    list.slide(2).backgroundColour = 0x123456;
    list.state().currentIndex = 2;
    SlidePanelView view = slidePanelView(list);
    EXPECT_TRUE(view.enabled);
    EXPECT_EQ(view.position, QStringLiteral("Image : 3  de  12"));
    EXPECT_EQ(view.origin, QStringLiteral("Origine : /photos/été/"));
    EXPECT_EQ(view.duree, QStringLiteral("3"));
    EXPECT_FALSE(view.border);
    EXPECT_EQ(view.backgroundColour, 0x123456u);
    EXPECT_EQ(view.caption, QStringLiteral("Légende"));
    EXPECT_EQ(view.style, QStringLiteral("17"));

    // A selection without a current slide: enabled, but empty editors.
    list.state().currentIndex = -1;
    view = slidePanelView(list);
    EXPECT_TRUE(view.enabled);
    EXPECT_TRUE(view.duree.isEmpty());
    EXPECT_EQ(view.borderColour, kColourWhite);
    EXPECT_EQ(view.backgroundColour, kColourBlack);
    EXPECT_EQ(view.captionColour, kColourWhite);
    EXPECT_EQ(view.position, QStringLiteral("Image :"));
    EXPECT_FALSE(panelMayEdit(list)) << "no current slide";

    list.state().currentIndex = 12;
    EXPECT_FALSE(slidePanelView(list).enabled) << "beyond the last slide";
    list.state().currentIndex = 2;
    EXPECT_TRUE(panelMayEdit(list));
    list.state().busy = true;
    EXPECT_FALSE(panelMayEdit(list));
}

TEST(SlideEditing, DisplayTimeAndStyleTextsFollowTheirRules)
{
    EXPECT_EQ(correctedDuree(QString()), QStringLiteral("5"));
    EXPECT_EQ(correctedDuree(QStringLiteral("0")), QStringLiteral("5"));
    EXPECT_EQ(correctedDuree(QStringLiteral("00")), QStringLiteral("00"));
    EXPECT_EQ(correctedDuree(QStringLiteral("8")), QStringLiteral("8"));
    EXPECT_EQ(durationOnExit(QStringLiteral("ab")), QStringLiteral("3"));
    EXPECT_EQ(durationOnExit(QString()), QStringLiteral("3"));
    EXPECT_EQ(durationOnExit(QStringLiteral("12")), QStringLiteral("12"));
    EXPECT_EQ(styleFromText(QStringLiteral("127")), 127);
    EXPECT_EQ(styleFromText(QStringLiteral("128")), 0);
    EXPECT_EQ(styleFromText(QStringLiteral("-1")), 0);
    EXPECT_EQ(styleFromText(QStringLiteral("abc")), 0);
    EXPECT_EQ(styleFromText(QString()), 0);
}

TEST(SlideEditing, CopyingParametersTakesOnlyTheCheckedOnes)
{
    SlideList list = listOf(3);
    TEnrData_S &source = list.slide(1);
    source.border = false;
    source.borderColour = 1;
    source.backgroundColour = 2;
    source.captionColour = 3;
    source.caption = QStringLiteral("à copier");
    source.style = 99;
    list.slide(0).caption = QStringLiteral("mienne");
    copyParameters(list, 1, CopyChoices{});
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.slide(i).displayTime, 2);
        EXPECT_FALSE(list.slide(i).border);
        EXPECT_EQ(list.slide(i).borderColour, 1u);
        EXPECT_EQ(list.slide(i).backgroundColour, 2u);
        EXPECT_EQ(list.slide(i).captionColour, 3u);
        EXPECT_EQ(list.slide(i).style, 99);
    }
    EXPECT_EQ(list.slide(0).caption, QStringLiteral("mienne")) << "the caption box is unchecked by default";
    EXPECT_TRUE(list.slide(2).caption.isEmpty());

    CopyChoices onlyCaption{false, false, false, false, false, false, true};
    list.slide(2).displayTime = 9;
    copyParameters(list, 1, onlyCaption);
    EXPECT_EQ(list.slide(0).caption, QStringLiteral("à copier"));
    EXPECT_EQ(list.slide(2).displayTime, 9);
}

TEST(SlideEditing, MovedPathsAndTheMusicCopy)
{
    EXPECT_EQ(movedPath(QStringLiteral("/a/b/c.jpg"), QStringLiteral("/neu")), QStringLiteral("/neu/c.jpg"));
    EXPECT_EQ(movedPath(QStringLiteral("/a/b/c.jpg"), QStringLiteral("/neu/")), QStringLiteral("/neu/c.jpg"));
    EXPECT_EQ(optionsTitle(QStringLiteral("/shows/Noël.2024.dap")), QStringLiteral("Options du lumivelle : Noël.2024"));

    const QString show = QStringLiteral("/shows/Noel.dap");
    EXPECT_EQ(musicCopyTarget(QStringLiteral("/musique/ete.mp3"), QString(), show), QStringLiteral("/shows/ete.mp3"));
    EXPECT_EQ(musicCopyTarget(QStringLiteral("/ailleurs/ete.mp3"), QStringLiteral("/shows/ete.mp3"), show), std::nullopt)
        << "a file of the same name: no copy";
    EXPECT_EQ(musicCopyTarget(QStringLiteral("/ailleurs/Ete.mp3"), QStringLiteral("/shows/ete.mp3"), show),
              QStringLiteral("/shows/Ete.mp3"))
        << "names that differ in case are two files here";
    EXPECT_EQ(musicCopyTarget(QString(), QStringLiteral("/shows/ete.mp3"), show), std::nullopt);
}
