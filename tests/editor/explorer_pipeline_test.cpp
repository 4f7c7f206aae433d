// The read-ahead pipeline: entries come out in order whatever order the workers finish
// in, no more than the read-ahead is ever loaded beyond the consumer, and cancelling
// drops what was read ahead.
#include "imaging/scan/thumbnail_pipeline.h"

#include <QThread>
#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <random>

using namespace editor;

namespace {

QStringList numbered(int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << QString::number(i);
    return paths;
}

// Files whose number is a multiple of 5 are unreadable; the others load after a random
// pause, so the workers finish out of order.
// Waits until `counter` reaches `value` (or a generous limit passes), then a little more
// so that a load beyond it would have had time to start.
int settle(const std::atomic<int> &counter, int value)
{
    for (int i = 0; i < 500 && counter.load() < value; ++i)
        QThread::msleep(10);
    QThread::msleep(30);
    return counter.load();
}

std::optional<TEnrData> slowLoad(const QString &path)
{
    thread_local std::mt19937 random(std::hash<std::thread::id>{}(std::this_thread::get_id()));
    QThread::usleep(std::uniform_int_distribution<int>(0, 2000)(random));
    const int n = path.toInt();
    if (n % 5 == 0)
        return std::nullopt;
    TEnrData entry;
    entry.width = n;
    return entry;
}

TEST(ThumbnailPipeline, DeliversEveryFileInOrder)
{
    ThumbnailPipeline pipeline(3, 5);
    pipeline.start(numbered(60), slowLoad);
    for (int i = 0; i < 60; ++i) {
        ASSERT_FALSE(pipeline.atEnd());
        const ScanResult result = pipeline.waitNext();
        ASSERT_EQ(result.path, QString::number(i));
        EXPECT_EQ(result.entry.has_value(), i % 5 != 0);
        if (result.entry) {
            EXPECT_EQ(result.entry->width, i);
        }
    }
    EXPECT_TRUE(pipeline.atEnd());
    EXPECT_LE(pipeline.mostReadAhead(), 5);
    EXPECT_GE(pipeline.mostReadAhead(), 3);
}

TEST(ThumbnailPipeline, ReadsNoFurtherAheadThanAllowed)
{
    std::atomic<int> loads = 0;
    ThumbnailPipeline pipeline(2, 4);
    pipeline.start(numbered(100), [&](const QString &) {
        ++loads;
        return std::optional<TEnrData>(TEnrData{});
    });
    EXPECT_EQ(settle(loads, 4), 4); // nothing is taken meanwhile
    while (!pipeline.takeNext())
        QThread::msleep(1);
    EXPECT_EQ(settle(loads, 5), 5);
}

TEST(ThumbnailPipeline, CancelDropsWhatWasReadAheadAndANewRunStartsClean)
{
    std::mutex gate;
    std::condition_variable opened;
    bool open = false;
    std::atomic<int> loads = 0;
    auto gated = [&](const QString &path) {
        ++loads;
        std::unique_lock lock(gate);
        opened.wait(lock, [&] { return open; });
        TEnrData entry;
        entry.width = path.toInt();
        return std::optional<TEnrData>(entry);
    };
    ThumbnailPipeline pipeline(2, 6);
    pipeline.start(numbered(50), gated);
    EXPECT_EQ(settle(loads, 2), 2); // both workers busy, four more waiting in the queue
    pipeline.cancel();
    {
        std::lock_guard lock(gate);
        open = true;
    }
    opened.notify_all();
    EXPECT_TRUE(pipeline.atEnd());
    EXPECT_FALSE(pipeline.takeNext());

    // The two loads that were running end on their workers and are dropped; the queued
    // ones never run.
    pipeline.start(QStringList{QStringLiteral("7")}, gated);
    const ScanResult result = pipeline.waitNext();
    EXPECT_EQ(result.path, QStringLiteral("7"));
    ASSERT_TRUE(result.entry);
    EXPECT_EQ(result.entry->width, 7);
    EXPECT_TRUE(pipeline.atEnd());
    EXPECT_EQ(loads.load(), 3);
}

TEST(ThumbnailPipeline, ReadyCallbackWakesTheConsumerOncePerEntry)
{
    std::atomic<int> ready = 0;
    int taken = 0;
    {
        ThumbnailPipeline pipeline(2, 0);
        EXPECT_EQ(pipeline.readAhead(), 4);
        pipeline.start(numbered(10), slowLoad, [&] { ++ready; });
        while (!pipeline.atEnd()) {
            pipeline.waitNext();
            ++taken;
        }
    } // the workers are done once the pipeline is gone
    EXPECT_EQ(taken, 10);
    EXPECT_EQ(ready.load(), 10);
}

} // namespace

namespace {

// Taken as they finish, a load that never ends holds up only its own entry.
TEST(ThumbnailPipeline, AsTheyFinishAStuckLoadHoldsUpOnlyItself)
{
    std::mutex gate;
    std::condition_variable opened;
    bool open = false;
    ThumbnailPipeline pipeline(2, 4);
    pipeline.start(numbered(12), [&](const QString &path) {
        if (path == u"2") {
            std::unique_lock lock(gate);
            opened.wait(lock, [&] { return open; });
        }
        TEnrData entry;
        entry.width = path.toInt();
        return std::optional<TEnrData>(entry);
    });
    std::vector<int> order;
    while (order.size() < 11) {
        if (auto result = pipeline.takeFinished()) {
            EXPECT_EQ(result->index, result->entry->width);
            EXPECT_EQ(result->path, QString::number(result->index));
            order.push_back(result->index);
        } else {
            QThread::msleep(1);
        }
    }
    EXPECT_EQ(std::count(order.begin(), order.end(), 2), 0);
    EXPECT_FALSE(pipeline.atEnd());
    {
        std::lock_guard lock(gate);
        open = true;
    }
    opened.notify_all();
    std::optional<ScanResult> last;
    while (!(last = pipeline.takeFinished()))
        QThread::msleep(1);
    EXPECT_EQ(last->index, 2);
    EXPECT_TRUE(pipeline.atEnd());
    EXPECT_LE(pipeline.mostReadAhead(), 4);
}

// Nothing thrown leaves a worker thread (it would end the program): the file counts as
// unreadable and the others go on.
TEST(ThumbnailPipeline, ALoaderThatThrowsGivesAnUnreadableFile)
{
    ThumbnailPipeline pipeline(2, 4);
    pipeline.start(numbered(6), [](const QString &path) -> std::optional<TEnrData> {
        if (path == u"1")
            throw std::bad_alloc();
        if (path == u"4")
            throw 42;
        return TEnrData{};
    });
    for (int i = 0; i < 6; ++i) {
        const ScanResult result = pipeline.waitNext();
        EXPECT_EQ(result.index, i);
        EXPECT_EQ(result.entry.has_value(), i != 1 && i != 4) << i;
    }
    EXPECT_TRUE(pipeline.atEnd());
}

} // namespace

// One worker, one file at a time: the preferred indices start before the rest, those
// already taken are skipped, and the run goes on in order afterwards; appended paths
// follow the run's indices.
TEST(ThumbnailPipeline, PreferredFilesStartFirstAndTheRunCanGrow)
{
    std::mutex mutex;
    QStringList order;
    ThumbnailPipeline pipeline(1, 1);
    auto takeOne = [&pipeline] {
        for (int i = 0; i < 2000; ++i) {
            if (auto result = pipeline.takeFinished())
                return result->index;
            QThread::msleep(1);
        }
        return -1;
    };
    pipeline.start(numbered(10), [&](const QString &path) {
        std::lock_guard lock(mutex);
        order << path;
        return std::optional<TEnrData>(TEnrData{});
    });
    EXPECT_EQ(takeOne(), 0);
    pipeline.prefer({7, 0, 8, 42});
    std::vector<int> taken;
    while (!pipeline.atEnd())
        taken.push_back(takeOne());
    // File 1 was started before the preference arrived (one may be out at a time).
    EXPECT_EQ(taken, (std::vector<int>{1, 7, 8, 2, 3, 4, 5, 6, 9}));
    pipeline.append({QStringLiteral("extra")});
    EXPECT_FALSE(pipeline.atEnd());
    EXPECT_EQ(takeOne(), 10);
    EXPECT_TRUE(pipeline.atEnd());
    EXPECT_EQ(order.size(), 11);
    pipeline.cancel();
    pipeline.append({QStringLiteral("after")});
    EXPECT_TRUE(pipeline.atEnd());
}
