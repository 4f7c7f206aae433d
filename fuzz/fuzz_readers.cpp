// Fuzz target of the image readers.
//
// An input whose first byte is 0xA0 + n is given, without that byte, to the reader of
// family n (in the registry's order); a Dr. Halo input carries its palette after the first
// "AH". Any other input is read as a file of unknown name (the content decides the reader),
// then by the readers of formats that have no signature: so the fixtures themselves are
// the seed corpus and replay as an ordinary test.
#include "imaging/readers/format_decoders.h"
#include "imaging/readers/picture_loader.h"
#include "imaging/readers/reader_registry.h"

#include <QGuiApplication>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using imaging::readers::ReaderFamily;

constexpr std::uint8_t kSelectorBase = 0xA0;
// Pictures larger than this are valid but slow to fill; the fuzzer skips them to keep its
// pace (the decoders refuse only beyond 400 megapixels).
constexpr qint64 kFuzzPixelBudget = 16'000'000;

// Decoder runs per family (the last slot: unnamed inputs), printed at exit when
// LUMIVELLE_FUZZ_STATS is set, so a campaign can say how often each reader ran.
std::array<unsigned long long, 32> g_runs{};

void printRuns()
{
    const auto &families = imaging::readers::readerFamilies();
    for (size_t i = 0; i < families.size(); ++i)
        std::fprintf(stderr, "runs %s %llu\n", families[i].id, g_runs[i]);
    std::fprintf(stderr, "runs unnamed %llu\n", g_runs.back());
}

void checkPicture(const QImage &picture)
{
    if (picture.isNull() || (picture.format() != QImage::Format_BGR888 && picture.format() != QImage::Format_ARGB32)
        || picture.width() > 30000 || picture.height() > 30000)
        __builtin_trap();
}

bool withinBudget(const ReaderFamily &family, QByteArrayView data)
{
    if (!family.size)
        return true;
    const auto size = family.size(data);
    return !size || qint64(size->width()) * size->height() <= kFuzzPixelBudget;
}

void countRun(const ReaderFamily &family)
{
    ++g_runs[size_t(&family - imaging::readers::readerFamilies().data())];
}

void decodeSelected(const ReaderFamily &family, QByteArrayView data)
{
    if (!withinBudget(family, data))
        return;
    countRun(family);
    Result<QImage> picture = std::unexpected(Failure{});
    if (qstrcmp(family.id, "cut") == 0) {
        const qsizetype split = data.indexOf(QByteArrayView("AH"));
        picture = imaging::readers::decodeCut(split < 0 ? data : data.first(split), split < 0 ? QByteArrayView() : data.sliced(split));
    } else {
        picture = family.decode({data, {}, {}});
    }
    if (picture)
        checkPicture(*picture);
}

void decodeUnnamed(QByteArrayView data)
{
    const ReaderFamily *sniffed = imaging::readers::familyForContent(data);
    if (sniffed && withinBudget(*sniffed, data)) {
        countRun(*sniffed);
        if (auto picture = imaging::DecodePicture(data, u""))
            checkPicture(picture->image);
    }
    for (const ReaderFamily &family : imaging::readers::readerFamilies()) {
        if ((!family.sniff || qstrcmp(family.id, "tga") == 0) && withinBudget(family, data)) {
            countRun(family);
            if (auto picture = family.decode({data, {}, {}}))
                checkPicture(*picture);
        }
    }
}

// The metafile player draws text, which needs a GUI application (also when the corpus is
// replayed without libFuzzer).
void ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_readers";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    // The registry is built first, so that it is destroyed after the counts are printed.
    imaging::readers::readerFamilies();
    if (std::getenv("LUMIVELLE_FUZZ_STATS"))
        std::atexit(printRuns);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureGuiApplication();
    const QByteArrayView bytes(data, qsizetype(size));
    const auto &families = imaging::readers::readerFamilies();
    if (size > 0 && data[0] >= kSelectorBase && data[0] < kSelectorBase + families.size()) {
        decodeSelected(families[data[0] - kSelectorBase], bytes.sliced(1));
        return 0;
    }
    ++g_runs.back();
    decodeUnnamed(bytes);
    return 0;
}
