// The explorer list's thumbnails in memory: a sweep keeps a window around the cells on
// the screen and only what the disk keeps; drawing brings thumbnails back and asks for
// the entries still waiting; copies get their thumbnail without changing the list.
#include "editor/explorer/explorer_list.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace editor;

namespace {

QImage grey(int level)
{
    QImage picture(20, 10, QImage::Format_BGR888);
    picture.fill(QColor(level, level, level));
    return picture;
}

int numberOf(const QString &path)
{
    return path.section(u'/', -1).toInt();
}

class ExplorerListMemory : public ::testing::Test {
protected:
    static constexpr int kEntries = 100;

    void SetUp() override
    {
        list.setThumbnailBudget(10);
        ExplorerList::ThumbnailSource source;
        // Entries 90 and up are not kept on disk.
        source.stored = [](const QString &path) { return numberOf(path) < 90; };
        source.restore = [this](const QString &path) -> std::optional<TEnrData> {
            ++restores;
            TEnrData entry;
            entry.width = 200;
            entry.height = 100;
            entry.thumbnail = grey(numberOf(path));
            return entry;
        };
        source.lookUp = [this, restore = source.restore](const QString &path) -> std::optional<TEnrData> {
            if (lostFromDisk.contains(path))
                return std::nullopt;
            return restore(path);
        };
        list.setThumbnailSource(std::move(source));
        list.remake = [this](QStringList paths) { remade << paths; };
        list.wanted = [this](std::vector<int> indices) { asked.push_back(std::move(indices)); };
        for (int i = 0; i < kEntries; ++i) {
            TEnrData entry;
            entry.width = 200;
            entry.height = 100;
            entry.thumbnail = grey(i);
            list.append(QStringLiteral("/pics/%1").arg(i), entry);
            list.thumbnailAdded();
        }
    }
    std::vector<int> inMemory() const
    {
        std::vector<int> out;
        for (int i = 0; i < list.count(); ++i)
            if (!list.entry(i).thumbnail.isNull())
                out.push_back(i);
        return out;
    }

    ExplorerList list;
    QStringList lostFromDisk; // lookUp finds nothing for these; restore still makes them
    QStringList remade;
    int restores = 0;
    std::vector<std::vector<int>> asked;
};

TEST_F(ExplorerListMemory, ASweepKeepsTheWindowAndWhatTheDiskDoesNotHold)
{
    list.keepThumbnailsNear(50, 52); // margin: a quarter of the budget each side
    std::vector<int> expected{48, 49, 50, 51, 52, 53, 54};
    for (int i = 90; i < kEntries; ++i)
        expected.push_back(i);
    EXPECT_EQ(inMemory(), expected);
    EXPECT_EQ(list.thumbnailsInMemory(), int(expected.size()));
    EXPECT_EQ(restores, 0);

    // No sweep again until half a budget more came into memory, wherever the screen is.
    list.keepThumbnailsNear(0, 1);
    EXPECT_EQ(inMemory(), expected);
}

TEST_F(ExplorerListMemory, DrawingBringsThumbnailsBackAndAsksForWaitingEntries)
{
    list.keepThumbnailsNear(50, 52);
    list.entry(2).selected = true;
    list.entry(3) = TEnrData{}; // listed by name, not read yet
    list.aboutToDraw(0, 4);
    EXPECT_EQ(restores, 4); // 0, 1, 2, 4
    EXPECT_EQ(list.entry(1).thumbnail, grey(1));
    EXPECT_TRUE(list.entry(2).selected);
    EXPECT_TRUE(list.entry(3).thumbnail.isNull());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::vector<int>{3});

    // Drawing a cell whose thumbnail the disk lost asks for it to be made again, and
    // draws it once it is set back.
    list.keepThumbnailsNear(0, 1);
    lostFromDisk << QStringLiteral("/pics/60");
    list.aboutToDraw(60, 60);
    EXPECT_EQ(remade, QStringList{QStringLiteral("/pics/60")});
    EXPECT_TRUE(list.entry(60).thumbnail.isNull());
    TEnrData made;
    made.width = 300;
    made.thumbnail = grey(61);
    list.entry(60).selected = true;
    list.setThumbnail(60, made);
    EXPECT_EQ(list.entry(60).thumbnail, grey(61));
    EXPECT_TRUE(list.entry(60).selected);
    made.thumbnail = grey(62); // one already back is kept
    list.setThumbnail(60, made);
    EXPECT_EQ(list.entry(60).thumbnail, grey(61));

    // A range past the end is clipped; drawing the same cells again reads nothing.
    list.aboutToDraw(0, 4);
    list.aboutToDraw(98, 120);
    EXPECT_EQ(restores, 4);

    // Many more cells drawn one screen after another: the memory stays bounded.
    for (int first = 0; first < 90; first += 5)
        list.aboutToDraw(first, first + 4);
    EXPECT_LE(list.thumbnailsInMemory(), 10 + 10 + 5 + 10); // unstored, budget, screen, half a budget
}

TEST_F(ExplorerListMemory, ACopyGetsItsThumbnailAndTheListStaysAsItWas)
{
    list.keepThumbnailsNear(50, 52);
    list.entry(7).selected = true;
    const TEnrData copy = list.entryWithThumbnail(7);
    EXPECT_EQ(copy.thumbnail, grey(7));
    EXPECT_TRUE(copy.selected);
    EXPECT_TRUE(list.entry(7).thumbnail.isNull());
    list.entryWithThumbnail(50); // in memory: nothing read
    EXPECT_EQ(restores, 1);

    // An unreadable entry is never brought back; clearing forgets the count.
    list.entry(8).width = -1;
    EXPECT_TRUE(list.entryWithThumbnail(8).thumbnail.isNull());
    EXPECT_EQ(restores, 1);
    list.clear();
    EXPECT_EQ(list.thumbnailsInMemory(), 0);
}

} // namespace
