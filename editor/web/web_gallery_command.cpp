#include "editor/web/web_gallery_command.h"

#include "documents/web/gallery_generator.h"
#include "editor/shell/main_window.h"
#include "editor/show/slide_list.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <algorithm>

namespace editor {

namespace {

// The status line's progress bar through the pictures, back to 0 however the gallery ends.
class GalleryProgress {
public:
    GalleryProgress(QProgressBar *bar, int total) : m_bar(bar)
    {
        if (m_bar) {
            m_bar->setRange(0, std::max(total, 1));
            m_bar->setValue(0);
        }
    }
    ~GalleryProgress()
    {
        if (m_bar)
            m_bar->setValue(0);
    }
    GalleryProgress(const GalleryProgress &) = delete;
    GalleryProgress &operator=(const GalleryProgress &) = delete;

    void set(int done)
    {
        if (m_bar)
            m_bar->setValue(done);
        QCoreApplication::processEvents();
    }

private:
    QProgressBar *m_bar;
};

} // namespace

WebGalleryCommand::WebGalleryCommand(TMainLumivelle3000 &window) : QObject(&window), m_window(window)
{
    m_window.command(CommandId::LumivelleWeb).setHandler([this] { LumivelleWebExecute(); });
}

SlideList *WebGalleryCommand::slides() const
{
    return dynamic_cast<SlideList *>(m_window.list(GridSlot::Show));
}

void WebGalleryCommand::LumivelleWebExecute()
{
    SlideList *list = slides();
    const bool showOpen = m_window.documents().showPath && !m_window.documents().showPath().isEmpty();
    if (!list || list->isEmpty() || !showOpen || list->state().busy || m_window.activeTab() != 2)
        return;
    webgallery::GalleryOptions options;
    QString htmlPath;
    {
        TFormWeb form(m_window.config(), &m_window);
        form.setFileChooser(chooseFile);
        form.setColourChooser(chooseColour);
        if (form.exec() != QDialog::Accepted)
            return;
        options = form.options();
        htmlPath = form.fileName();
    }
    const std::optional<webgallery::GalleryTarget> target = webgallery::galleryTarget(htmlPath);
    if (!target) {
        messages::information(webgallery::kFileNameRequired);
        return;
    }
    std::vector<webgallery::GallerySlide> gallerySlides;
    for (const showdoc::ShowSlide &slide : list->slides())
        gallerySlides.push_back({slide.path, slide.entry.caption});

    webgallery::GalleryReport report;
    {
        ui::BusyCursor hourglass;
        QScopedValueRollback busyFlag(list->state().busy, true);
        GalleryProgress progress(m_window.progressBar(), int(gallerySlides.size()));
        webgallery::GalleryWork work;
        work.filterOk = m_window.settings().FilterOk;
        work.threads = threads;
        work.progress = [&progress](int done) { progress.set(done); };
        work.idle = [] { QCoreApplication::processEvents(); };
        report = webgallery::generateGallery(gallerySlides, options, *target, work);
    }
    if (!report.problems.empty())
        messages::warning(webgallery::problemsMessage(report.problems));
}

WebGalleryCommand *installWebGallery(TMainLumivelle3000 &window)
{
    return new WebGalleryCommand(window);
}

} // namespace editor
