#pragma once
// "Créer un lumivelle Web" (LumivelleWeb, F11): the open show's slides, in show order,
// written as a web gallery with the choices of TFormWeb. The command reads the slides
// through the list the show tab lends to the main window; it runs on the show tab, with a
// show open that has slides and a list that is not busy.
#include "ui/colour_swatch.h"
#include "editor/web/form_web.h"

#include <QObject>

namespace editor {

class SlideList;
class TMainLumivelle3000;

class WebGalleryCommand : public QObject {
    Q_OBJECT
public:
    explicit WebGalleryCommand(TMainLumivelle3000 &window);

    void LumivelleWebExecute();

    // The platform's dialogs by default; tests give their own.
    TFormWeb::FileChooser chooseFile = &TFormWeb::chooseWithDialog;
    ui::ColourSwatch::ColourChooser chooseColour = &ui::ColourSwatch::chooseWithDialog;
    // Decoding the next picture while the current one is written (1 or 2).
    int threads = 2;

private:
    SlideList *slides() const;

    TMainLumivelle3000 &m_window;
};

// Connects LumivelleWeb in the window. Lives as long as the window.
WebGalleryCommand *installWebGallery(TMainLumivelle3000 &window);

} // namespace editor
