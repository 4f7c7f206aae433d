#pragma once
// TMainForm: the player's one window. It reads the show payload from the executable it
// runs from (kept open until the window goes), and plays the show full screen: each slide
// decoded when its turn comes, fitted to the window, framed, captioned and brought in by
// its transition; a toolbar, a context menu and the keyboard pause, step, copy and quit.
//
// The window is thin: the cursor and timer rules live in SlideSequencer, the geometry in
// slide_layout.h. Tests give it a fake timer and music and call the handlers directly.
#include "player/window/player_icons.h"
#include "player/logic/player_timer.h"
#include "player/window/show_diagnostics.h"
#include "player/window/show_music.h"
#include "player/payload/show_payload.h"
#include "player/logic/slide_sequencer.h"

#include <QFile>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;

namespace transitions {
class TPicShow;
}

namespace player {

// What the window is given by the program, or by a test.
struct PlayerSetup {
    QString showFile;                   // the running executable, payload at its end
    std::unique_ptr<PlayerTimer> timer; // a QtPlayerTimer when null
    std::unique_ptr<ShowMusic> music;   // Qt Multimedia when null
    ShowDiagnostics diagnostics;
    // The file-save dialog of "Copier l'image"; an empty path means cancelled. The real
    // dialog when null.
    std::function<QString(QWidget *parent)> chooseCopyFile;
};

class TMainForm : public QWidget {
    Q_OBJECT

    // Owned services, declared first: the components below refer to them.
    std::unique_ptr<PlayerTimer> m_timer;
    std::unique_ptr<ShowMusic> m_music;

public:
    explicit TMainForm(PlayerSetup setup, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The window's components.
    QLabel *LabelComment = nullptr;
    transitions::TPicShow *ImageScreen = nullptr;
    QFrame *PanelLumivelle = nullptr;
    QToolButton *B_Lec = nullptr, *B_Pause = nullptr, *B_Prec = nullptr, *B_Suiv = nullptr,
                *B_Son = nullptr, *B_Quit = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *Copier_Image = nullptr, *Aproposde = nullptr, *Quitter1 = nullptr;
    PlayerTimer &Timer;

    // Handlers. FormCreate runs in the constructor, FormShow when the window is first
    // shown, FormClose when it closes and FormDestroy in the destructor.
    void FormCreate();
    void FormShow();
    void TimerTimer();
    void B_LecClick();
    void B_PauseClick();
    void B_PrecClick();
    void B_SuivClick();
    void B_SonClick();
    void B_QuitClick();
    void FormKeyDown(int key);
    void ImageScreenClick();
    void Copier_ImageClick();
    void AproposdeClick();
    void MediaPlayer1Notify();
    void FormClose();
    void FormDestroy();

    // State, for the program's own checks and for tests.
    int slideCursor() const { return m_sequencer.cursor(); }
    int slideOnScreen() const { return m_sequencer.onScreen(); }
    int lastIndex() const { return m_sequencer.lastIndex(); }
    const std::vector<TSlideItem> &slides() const { return m_slides; }
    const QString &musicPath() const { return m_musicPath; }
    bool soundPlaying() const { return m_soundPlaying; }
    bool maxQuality() const { return m_maxQuality; }
    bool toolbarShown() const { return m_toolbarShown; }
    const QImage &slideBitmap() const { return m_slideBitmap; }

    // A sentence for the viewer when the show has no slide it can play.
    static const QString kNoPictureMessage;

signals:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createComponents();
    void createPictureAndCaption();
    void createToolbar();
    QToolButton *addButton(int x, PlayerIcon icon, const QString &hint, void (TMainForm::*handler)());
    void createMenu();
    void layoutComponents();
    void readPayload();
    void setCursorsHidden(bool hidden);
    void showSoundButton(bool music);
    void reportNoPicture();
    void playMusic();
    void stopMusic();

    bool ShowSlide(int index);
    Result<void> LoadSlide(const TSlideItem &slide);
    void DisplaySlide(int index);
    void repaintPictureNow();
    void reportFailure(const QString &message);
    QString runSaveDialog();

    ShowDiagnostics m_diagnostics;
    std::function<QString(QWidget *)> m_chooseCopyFile;
    QString m_showFile;
    QFile m_executable;
    std::vector<TSlideItem> m_slides;
    SlideSequencer m_sequencer;
    QString m_musicPath;
    QString m_payloadProblem; // why reading stopped early, or why there is no payload
    bool m_loop = false;
    bool m_maxQuality = false;
    bool m_allowCopy = false;
    QImage m_slideBitmap;
    bool m_currentBorder = false;
    Colour m_currentBorderColour = kColourBlack;
    int m_currentStyle = 0;
    int m_shownIndex = -1;
    bool m_soundPlaying = false;
    bool m_toolbarShown = false;
    bool m_firstShow = true;
    bool m_closed = false;
};

} // namespace player
