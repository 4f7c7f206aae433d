// Transition commands: one composed frame of a style, and a contact sheet of every style
// at three progress values for eyes to check.
#include "base/atomic_file.h"
#include "cli/command_registry.h"
#include "cli/output_paths.h"
#include "transitions/core/frame_composer.h"
#include "transitions/core/scaled_copy.h"
#include "transitions/core/style_names.h"

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <optional>

namespace {

std::optional<int> intArgument(const std::optional<QString> &text, int fallback, int low, int high)
{
    if (!text)
        return fallback;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// A style by number or by name.
std::optional<int> styleArgument(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (ok)
        return number >= 0 && number < transitions::kStyleCount ? std::optional(number) : std::nullopt;
    return transitions::styleByName(text);
}

int writePng(const QImage &picture, const QString &path)
{
    QByteArray png; // encoded in memory: the encoder never meets a failing write
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return cli::badInput(QStringLiteral("impossible d'écrire « %1 » : écriture PNG impossible").arg(path));
    const auto saved = writeFileAtomically(path, png);
    if (!saved)
        return cli::badInput(QStringLiteral("impossible d'écrire « %1 » : %2").arg(path, saved.error().message));
    return cli::kExitOk;
}

std::optional<QImage> readPicture(const QString &path)
{
    QImage picture(path);
    if (picture.isNull())
        return std::nullopt;
    return picture.convertToFormat(transitions::kFrameFormat);
}

// Old picture stretched (nearest pixel) to the new one's size, as the control captures it.
QImage fittedOld(const QImage &oldPicture, QSize size)
{
    if (oldPicture.size() == size)
        return oldPicture;
    QImage fitted(size, transitions::kFrameFormat);
    transitions::stretchCopy(oldPicture, {0, 0, oldPicture.width(), oldPicture.height()}, fitted,
                             {0, 0, size.width(), size.height()});
    return fitted;
}

int transition(const QStringList &args)
{
    static const char usage[] = "transition STYLE OLD NEW OUT.png --progress P [--step S]";
    cli::Options options(args);
    const auto progressText = options.value(QStringLiteral("progress"));
    const auto step = intArgument(options.value(QStringLiteral("step")), 4, 0, 100);
    if (auto unknown = options.unknownOption())
        return cli::badInput(QStringLiteral("option inconnue %1 (usage : %2)").arg(*unknown, QLatin1String(usage)));
    const QStringList &p = options.positional();
    if (p.size() != 4 || !progressText)
        return cli::badInput(QStringLiteral("usage : %1").arg(QLatin1String(usage)));
    const auto style = styleArgument(p[0]);
    if (!style)
        return cli::badInput(QStringLiteral("style inconnu « %1 » (0 à 127 ou un nom de style)").arg(p[0]));
    const auto progress = intArgument(progressText, 0, 0, 100);
    if (!progress || !step)
        return cli::badInput(QStringLiteral("--progress et --step vont de 0 à 100"));
    if (const auto refused = cli::outputOverInput(p[3], {p[1], p[2]}))
        return cli::badInput(*refused);
    const auto oldPicture = readPicture(p[1]), newPicture = readPicture(p[2]);
    if (!oldPicture || !newPicture)
        return cli::badInput(QStringLiteral("image illisible « %1 »").arg(oldPicture ? p[2] : p[1]));
    QImage screen(newPicture->size(), transitions::kFrameFormat);
    transitions::composeFrame(fittedOld(*oldPicture, newPicture->size()), *newPicture, screen, *style,
                              *progress, std::max(*step, 1));
    return writePng(screen, p[3]);
}

// Two built-in pictures that differ everywhere: a blue checkerboard with an "A", and a
// warm gradient with a "B" and a diagonal, so flips and slides show which way they go.
QImage samplePicture(QSize size, bool isNew)
{
    QImage picture(size, transitions::kFrameFormat);
    QPainter painter(&picture);
    const int w = size.width(), h = size.height(), square = std::max(4, w / 16);
    if (!isNew) {
        for (int y = 0; y < h; y += square)
            for (int x = 0; x < w; x += square)
                painter.fillRect(x, y, square, square, ((x + y) / square) % 2 ? QColor(20, 40, 110) : QColor(60, 110, 190));
    } else {
        QLinearGradient warm(0, 0, w, h);
        warm.setColorAt(0, QColor(200, 20, 20));
        warm.setColorAt(1, QColor(250, 220, 40));
        painter.fillRect(picture.rect(), warm);
        painter.setPen(QPen(Qt::white, std::max(2, w / 60)));
        painter.drawLine(0, 0, w, h);
    }
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(h * 2 / 3);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(isNew ? Qt::black : Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, isNew ? QStringLiteral("B") : QStringLiteral("A"));
    return picture;
}

int transitionSheet(const QStringList &args)
{
    static const char usage[] = "transition-sheet OUT.png [--width W --height H]";
    constexpr int kStylesPerRow = 4, kGap = 4, kLabel = 16;
    static constexpr int kProgress[] = {25, 50, 75};
    cli::Options options(args);
    const auto w = intArgument(options.value(QStringLiteral("width")), 160, 16, 4096);
    const auto h = intArgument(options.value(QStringLiteral("height")), 120, 16, 4096);
    if (auto unknown = options.unknownOption())
        return cli::badInput(QStringLiteral("option inconnue %1 (usage : %2)").arg(*unknown, QLatin1String(usage)));
    if (options.positional().size() != 1)
        return cli::badInput(QStringLiteral("usage : %1").arg(QLatin1String(usage)));
    if (!w || !h)
        return cli::badInput(QStringLiteral("--width et --height vont de 16 à 4096"));
    const QSize cell(*w, *h);
    const QImage oldPicture = samplePicture(cell, false), newPicture = samplePicture(cell, true);
    const int groupWidth = 3 * cell.width() + 2 * kGap;
    const int rows = (transitions::kStyleCount + kStylesPerRow - 1) / kStylesPerRow;
    QImage sheet(kStylesPerRow * (groupWidth + 3 * kGap) + kGap, rows * (cell.height() + kLabel + kGap) + kGap,
                 transitions::kFrameFormat);
    if (sheet.isNull())
        return cli::badInput(QStringLiteral("planche trop grande"));
    sheet.fill(QColor(40, 40, 40));
    QPainter painter(&sheet);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kLabel - 4);
    painter.setFont(font);
    painter.setPen(QColor(230, 230, 230));
    QImage screen(cell, transitions::kFrameFormat);
    for (int style = 0; style < transitions::kStyleCount; ++style) {
        const int x0 = kGap + (style % kStylesPerRow) * (groupWidth + 3 * kGap);
        const int y0 = kGap + (style / kStylesPerRow) * (cell.height() + kLabel + kGap);
        const QString label = QStringLiteral("%1  %2").arg(style).arg(transitions::styleName(style));
        painter.drawText(QRect(x0, y0, groupWidth, kLabel), Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(label, Qt::ElideRight, groupWidth));
        for (int i = 0; i < 3; ++i) {
            transitions::composeFrame(oldPicture, newPicture, screen, style, kProgress[i], 4);
            painter.drawImage(x0 + i * (cell.width() + kGap), y0 + kLabel, screen);
        }
    }
    painter.end();
    return writePng(sheet, options.positional().first());
}

CLI_COMMAND("transition", "STYLE OLD NEW OUT.png --progress P [--step S]",
            "one frame of a transition style (number or name) at progress P, written as PNG",
            false, transition);

CLI_COMMAND("transition-sheet", "OUT.png [--width W --height H]",
            "contact sheet of the 128 transition styles at progress 25, 50 and 75 (cells W x H, 160 x 120)",
            true, transitionSheet);

} // namespace
