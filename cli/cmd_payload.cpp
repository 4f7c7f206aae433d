// payload dump: what a show executable carries, as the player reads it.
#include "cli/command_registry.h"
#include "player/payload/show_payload.h"

#include <QFile>
#include <cstdio>

namespace {

QByteArray hex(Colour c)
{
    return QByteArray::number(c, 16).rightJustified(6, '0').toUpper();
}

void printHeader(const player::ShowPayload &p)
{
    std::printf("header offset %lld\n", static_cast<long long>(p.headerOffset));
    std::printf("music \"%s\" loop=%d copy=%d max-quality=%d\n", p.header.musicName.toUtf8().constData(),
                int(p.header.loop), int(p.header.allowCopy), int(p.header.maxQuality));
}

void printRecord(int index, const player::PayloadRecordEntry &e)
{
    const player::TSlideRecord &r = e.record;
    std::printf("record %d offset=%lld image-size=%d time=%d border=%d border-colour=%s background=%s "
                "caption-colour=%s style=%d caption=\"%s\"\n",
                index, static_cast<long long>(e.offset), r.imageSize, r.displayTime, int(r.border),
                hex(r.borderColour).constData(), hex(r.backgroundColour).constData(),
                hex(r.captionColour).constData(), r.style, r.caption.toUtf8().constData());
}

int dumpPayload(const QStringList &args)
{
    if (args.size() != 2 || args[0] != QStringLiteral("dump"))
        return cli::badInput(QStringLiteral("usage : payload dump FILE"));
    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly))
        return cli::badInput(QStringLiteral("impossible d'ouvrir %1 : %2").arg(args[1], file.errorString()));
    auto payload = player::readShowPayload(file);
    if (!payload)
        return cli::badInput(payload.error().message);
    printHeader(*payload);
    for (std::size_t i = 0; i < payload->records.size(); ++i)
        printRecord(int(i), payload->records[i]);
    std::printf("verdict: %zu playable slide(s), %d empty record(s); ", payload->slides.size(), payload->emptyRecords);
    if (payload->stop == player::PayloadStop::Complete)
        std::printf("complete\n");
    else
        std::printf("stopped at offset %lld: %s\n", static_cast<long long>(payload->stopOffset),
                    player::describeStop(payload->stop).toUtf8().constData());
    return payload->stop == player::PayloadStop::Complete ? cli::kExitOk : cli::kExitBadInput;
}

} // namespace

CLI_COMMAND("payload", "dump FILE",
            "prints the show header, one line per slide record and the reader's verdict",
            false, dumpPayload);
