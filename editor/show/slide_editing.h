#pragma once
// The rules of the show tab that need no window: what the slide panel shows for the
// current state of the slide list, the guard its editors pass before they change a slide,
// the display-time field's corrections, the copy of parameters to all slides, the new
// paths of moved pictures and the music file's copy beside the show.
#include "base/colour.h"
#include "editor/show/slide_list.h"

#include <QString>
#include <functional>
#include <optional>

namespace editor {

// The slide panel's content (GrilleScriptClick): the current slide's values when the
// panel is enabled and there is a current slide, otherwise empty editors.
struct SlidePanelView {
    bool enabled = false;
    QString position = QStringLiteral("Image :");
    QString origin = QStringLiteral("Emplacement :");
    QString duree;
    bool border = false;
    Colour borderColour = kColourWhite;
    Colour backgroundColour = kColourBlack;
    Colour captionColour = kColourWhite;
    QString caption;
    QString style;
};

SlidePanelView slidePanelView(const SlideList &slides);

// "Origine : " and the folder part of the path in lower case, ending with a separator.
QString originText(const QString &path);

// The editors of the panel change slides only when the list is not empty and not busy, at
// least one slide is selected and there is a current slide.
bool panelMayEdit(const SlideList &slides);

// Applies `change` to every selected slide.
void forEachSelected(SlideList &slides, const std::function<void(TEnrData_S &)> &change);

// EditDureeChange: an empty field or "0" becomes "5".
QString correctedDuree(const QString &text);
// EditDureeExit: a field that does not hold an integer becomes "3".
QString durationOnExit(const QString &text);

// The transition swatch's text as a style: the number when it is one from 0 to 127,
// otherwise 0.
int styleFromText(const QString &text);

// The parameters TFormCopyLumiv copies from the current slide to all slides.
struct CopyChoices {
    bool displayTime = true;
    bool border = true;
    bool style = true;
    bool borderColour = true;
    bool backgroundColour = true;
    bool captionColour = true;
    bool caption = false;
};

void copyParameters(SlideList &slides, int from, const CopyChoices &choices);

// A picture moved to `folder`: the folder, a separator if it has none, the file name.
QString movedPath(const QString &path, const QString &folder);

// "Options du lumivelle : " and the show file's name without folder and extension.
QString optionsTitle(const QString &showPath);

// Where OptionLumivelle puts the chosen music: beside the show, under its own name, when
// that name differs from the previous music's (names compared as the file system does).
// Nothing when no copy is wanted.
std::optional<QString> musicCopyTarget(const QString &music, const QString &previousMusic, const QString &showPath);

} // namespace editor
