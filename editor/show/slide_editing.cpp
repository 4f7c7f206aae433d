#include "editor/show/slide_editing.h"

#include "base/path_identity.h"
#include "base/path_identity.h"

#include <QDir>
#include <QFileInfo>

namespace editor {

namespace {

QString folderPart(const QString &path)
{
    return path.left(path.lastIndexOf(QDir::separator()) + 1);
}

} // namespace

QString originText(const QString &path)
{
    return QStringLiteral("Origine : ") + folderPart(path).toLower();
}

SlidePanelView slidePanelView(const SlideList &slides)
{
    SlidePanelView view;
    const int current = slides.state().currentIndex;
    view.enabled = slides.selectedCount() >= 1 && !slides.isEmpty() && current < slides.count();
    if (!view.enabled || current < 0)
        return view;
    const TEnrData_S &slide = slides.slide(current);
    view.position = QStringLiteral("Image : %1  de  %2").arg(current + 1).arg(slides.count());
    view.origin = originText(slides.path(current));
    view.duree = QString::number(slide.displayTime);
    view.border = slide.border;
    view.borderColour = slide.borderColour;
    view.backgroundColour = slide.backgroundColour;
    view.caption = slide.caption;
    view.captionColour = slide.captionColour;
    view.style = QString::number(slide.style);
    return view;
}

bool panelMayEdit(const SlideList &slides)
{
    return !slides.isEmpty() && !slides.state().busy && slides.selectedCount() >= 1
           && slides.contains(slides.state().currentIndex);
}

void forEachSelected(SlideList &slides, const std::function<void(TEnrData_S &)> &change)
{
    for (int i = 0; i < slides.count(); ++i)
        if (slides.slide(i).selected)
            change(slides.slide(i));
}

QString correctedDuree(const QString &text)
{
    return text.isEmpty() || text == QStringLiteral("0") ? QStringLiteral("5") : text;
}

QString durationOnExit(const QString &text)
{
    bool ok = false;
    text.toInt(&ok);
    return ok ? text : QStringLiteral("3");
}

int styleFromText(const QString &text)
{
    bool ok = false;
    const int style = text.toInt(&ok);
    return ok && style >= 0 && style <= showdoc::kLastStyle ? style : 0;
}

void copyParameters(SlideList &slides, int from, const CopyChoices &c)
{
    if (!slides.contains(from))
        return;
    const TEnrData_S source = slides.slide(from);
    for (int i = 0; i < slides.count(); ++i) {
        TEnrData_S &s = slides.slide(i);
        if (c.displayTime)
            s.displayTime = source.displayTime;
        if (c.border)
            s.border = source.border;
        if (c.style)
            s.style = source.style;
        if (c.borderColour)
            s.borderColour = source.borderColour;
        if (c.backgroundColour)
            s.backgroundColour = source.backgroundColour;
        if (c.captionColour)
            s.captionColour = source.captionColour;
        if (c.caption)
            s.caption = source.caption;
    }
}

QString movedPath(const QString &path, const QString &folder)
{
    return withTrailingSeparator(folder) + QFileInfo(path).fileName();
}

QString optionsTitle(const QString &showPath)
{
    return QStringLiteral("Options du lumivelle : ") + QFileInfo(showPath).completeBaseName();
}

std::optional<QString> musicCopyTarget(const QString &music, const QString &previousMusic, const QString &showPath)
{
    const QString name = QFileInfo(music).fileName();
    if (music.isEmpty() || samePath(name, QFileInfo(previousMusic).fileName()))
        return std::nullopt;
    return QFileInfo(showPath).dir().filePath(name);
}

} // namespace editor
