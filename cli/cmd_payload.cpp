// payload dump: what a show executable carries, as the player reads it. One line per
// record, except that a run of empty records identical to the one before (a file of
// zeros holds millions) is one line: "records A-B same as record N".
#include "cli/command_registry.h"
#include "base/le_record.h"
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

void printRecord(qint64 index, qint64 offset, const player::TSlideRecord &r)
{
    std::printf("record %lld offset=%lld image-size=%d time=%d border=%d border-colour=%s background=%s "
                "caption-colour=%s style=%d caption=\"%s\"\n",
                static_cast<long long>(index), static_cast<long long>(offset), r.imageSize, r.displayTime,
                int(r.border), hex(r.borderColour).constData(), hex(r.backgroundColour).constData(),
                hex(r.captionColour).constData(), r.style, r.caption.toUtf8().constData());
}

// Prints the records as the reader meets them, keeping only the last one printed.
class RecordPrinter {
public:
    void operator()(qint64 offset, QByteArrayView record)
    {
        const bool empty = le::getI32(record.data(), player::record_offsets::kImageSize) == 0;
        if (empty && record == m_last) {
            ++m_repeats;
        } else {
            flushRepeats();
            printRecord(m_index, offset, player::decodeSlideRecord(record.data()));
            m_last = record.toByteArray();
            m_lastIndex = m_index;
        }
        ++m_index;
    }
    // Ends a run of repeated records with its line.
    void flushRepeats()
    {
        if (m_repeats > 0)
            std::printf("records %lld-%lld same as record %lld\n", static_cast<long long>(m_lastIndex + 1),
                        static_cast<long long>(m_lastIndex + m_repeats), static_cast<long long>(m_lastIndex));
        m_repeats = 0;
    }

private:
    QByteArray m_last;
    qint64 m_index = 0, m_lastIndex = 0, m_repeats = 0;
};

int dumpPayload(const QStringList &args)
{
    if (args.size() != 2 || args[0] != QStringLiteral("dump"))
        return cli::badInput(QStringLiteral("usage : payload dump FILE"));
    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly))
        return cli::badInput(QStringLiteral("impossible d'ouvrir %1 : %2").arg(args[1], file.errorString()));
    // The header line comes first: the payload is read once, its records printed as they
    // come, so the header is read on its own before.
    auto head = player::readShowPayloadHeader(file);
    if (!head)
        return cli::badInput(head.error().message);
    printHeader(*head);
    RecordPrinter printer;
    auto payload = player::readShowPayload(file, std::ref(printer));
    if (!payload)
        return cli::badInput(payload.error().message);
    printer.flushRepeats();
    std::printf("verdict: %zu playable slide(s), %lld empty record(s); ", payload->slides.size(),
                static_cast<long long>(payload->emptyRecords));
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
