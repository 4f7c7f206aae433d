#include "player/window/main_form.h"

#include "ui/messages.h"
#include "player/window/player_icons.h"
#include "player/logic/slide_layout.h"
#include "transitions/pic_show.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

namespace player {

const QString TMainForm::kNoPictureMessage =
    QStringLiteral("Ce lumivelle ne contient aucune image qui puisse être affichée.");

namespace {

constexpr int kPlayerStyle = 56;
constexpr int kToolbarWithSound = 148, kToolbarWithoutSound = 125;
constexpr int kQuitWithSound = 123, kQuitWithoutSound = 99;

} // namespace

TMainForm::TMainForm(PlayerSetup setup, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::Tool),
      m_timer(setup.timer ? std::move(setup.timer) : std::make_unique<QtPlayerTimer>()),
      m_music(setup.music ? std::move(setup.music) : std::make_unique<MediaShowMusic>()),
      Timer(*m_timer),
      m_diagnostics(std::move(setup.diagnostics)),
      m_chooseCopyFile(std::move(setup.chooseCopyFile)),
      m_showFile(std::move(setup.showFile)),
      m_sequencer(*m_timer, [this](int i) { return ShowSlide(i); },
                  [this] { m_diagnostics.trace(QStringLiteral("end")); })
{
    m_music->setParent(this);
    Timer.setOnTick([this] { TimerTimer(); });
    Timer.setLogger([this](const QString &line) { m_diagnostics.trace(line); });
    createComponents();
    FormCreate();
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

// Borderless, black, titled "Lumivelle"; every key reaches FormKeyDown because no child
// takes the focus.
void TMainForm::createComponents()
{
    setWindowTitle(QStringLiteral("Lumivelle"));
    setWindowIcon(playerIcon(PlayerIcon::Window));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setFocusPolicy(Qt::StrongFocus);
    createPictureAndCaption();
    createToolbar();
    createMenu();
    layoutComponents();
}

void TMainForm::createPictureAndCaption()
{
    ImageScreen = new transitions::TPicShow(this);
    ImageScreen->setCenter(true);
    ImageScreen->setAutoSize(false);
    ImageScreen->setBgMode(transitions::bmNone);
    ImageScreen->setStyle(kPlayerStyle);
    ImageScreen->setAlign(transitions::alClient);
    ImageScreen->setFocusPolicy(Qt::NoFocus);
    ImageScreen->installEventFilter(this);
    ImageScreen->setOnComplete([this](transitions::TCustomPicShow *show) {
        m_diagnostics.snapshot(m_shownIndex, show->ScreenBitmap());
    });

    LabelComment = new QLabel(this);
    LabelComment->setTextFormat(Qt::PlainText); // a caption such as "<i>Nice</i>" is shown as typed
    LabelComment->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    font.setBold(true);
    LabelComment->setFont(font);
    QPalette white = LabelComment->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    LabelComment->setPalette(white);
    LabelComment->setFocusPolicy(Qt::NoFocus);
    LabelComment->installEventFilter(this);
}

// A silver strip of six flat buttons at the top-left corner, hidden at start.
void TMainForm::createToolbar()
{
    PanelLumivelle = new QFrame(this);
    PanelLumivelle->setAutoFillBackground(true);
    QPalette silver = PanelLumivelle->palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    PanelLumivelle->setPalette(silver);
    PanelLumivelle->setGeometry(0, 0, kToolbarWithSound, 24);
    PanelLumivelle->setAttribute(Qt::WA_NoMousePropagation); // not a click on the window
    PanelLumivelle->hide();
    B_Lec = addButton(3, PlayerIcon::Play, QStringLiteral("Lecture"), &TMainForm::B_LecClick);
    B_Pause = addButton(27, PlayerIcon::Pause, QStringLiteral("Pause"), &TMainForm::B_PauseClick);
    B_Prec = addButton(51, PlayerIcon::Previous, QStringLiteral("Image précédente"), &TMainForm::B_PrecClick);
    B_Suiv = addButton(75, PlayerIcon::Next, QStringLiteral("Image suivante"), &TMainForm::B_SuivClick);
    B_Son = addButton(99, PlayerIcon::SoundOff, QStringLiteral("Musique"), &TMainForm::B_SonClick);
    B_Quit = addButton(kQuitWithSound, PlayerIcon::Quit, QStringLiteral("Quitter"), &TMainForm::B_QuitClick);
    B_Son->hide();
}

QToolButton *TMainForm::addButton(int x, PlayerIcon icon, const QString &hint, void (TMainForm::*handler)())
{
    auto *button = new QToolButton(PanelLumivelle);
    button->setIcon(playerIcon(icon));
    button->setGeometry(x, 1, 23, 22);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(hint);
    connect(button, &QToolButton::clicked, this, handler);
    return button;
}

void TMainForm::createMenu()
{
    PopupMenu1 = new QMenu(this);
    Copier_Image = PopupMenu1->addAction(QStringLiteral("Copier l'image"));
    Copier_Image->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Aproposde = PopupMenu1->addAction(QStringLiteral("A propos de..."));
    PopupMenu1->addSeparator();
    Quitter1 = PopupMenu1->addAction(QStringLiteral("Quitter le lumivelle"));
    addAction(Copier_Image); // its shortcut works while the menu is closed
    connect(Copier_Image, &QAction::triggered, this, &TMainForm::Copier_ImageClick);
    connect(Aproposde, &QAction::triggered, this, &TMainForm::AproposdeClick);
    connect(Quitter1, &QAction::triggered, this, &TMainForm::B_QuitClick);
    ImageScreen->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ImageScreen, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(ImageScreen->mapToGlobal(at)); });
}

// The caption line along the bottom when it has text; the picture control fills the rest.
void TMainForm::layoutComponents()
{
    const int w = width(), h = height();
    const bool caption = !LabelComment->isHidden();
    LabelComment->setGeometry(0, h - kCaptionLineHeight, w, kCaptionLineHeight);
    ImageScreen->setGeometry(0, 0, w, caption ? h - kCaptionLineHeight : h);
    PanelLumivelle->raise();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutComponents();
}

void TMainForm::FormCreate()
{
    m_currentStyle = 0;
    m_slideBitmap = QImage();
    m_musicPath.clear();
    readPayload();
    std::vector<int> times;
    times.reserve(m_slides.size());
    for (const TSlideItem &slide : m_slides)
        times.push_back(slide.record.displayTime);
    m_sequencer.setSlides(std::move(times), m_loop);
}

// A show that cannot be read whole keeps the slides before the bad block; one that
// carries no payload at all has no slides.
void TMainForm::readPayload()
{
    Copier_Image->setVisible(false);
    m_executable.setFileName(m_showFile);
    if (!m_executable.open(QIODevice::ReadOnly)) {
        m_payloadProblem = m_executable.errorString();
        return;
    }
    auto payload = readShowPayload(m_executable);
    if (!payload) {
        m_payloadProblem = payload.error().message;
        return;
    }
    if (payload->stop != PayloadStop::Complete)
        m_payloadProblem = describeStop(payload->stop);
    m_slides = std::move(payload->slides);
    const TShowHeader &header = payload->header;
    if (const QString music = bareMusicName(header.musicName); !music.isEmpty())
        m_musicPath = QFileInfo(m_showFile).absoluteDir().filePath(music);
    m_loop = header.loop;
    m_maxQuality = header.maxQuality;
    m_allowCopy = header.allowCopy;
    Copier_Image->setVisible(m_allowCopy);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    FormShow();
}

void TMainForm::FormShow()
{
    m_toolbarShown = false;
    PanelLumivelle->hide();
    setCursorsHidden(true);
    if (!m_payloadProblem.isEmpty())
        m_diagnostics.trace(QStringLiteral("error ") + m_payloadProblem);
    m_sequencer.start();
    const bool music = !m_musicPath.isEmpty() && QFileInfo(m_musicPath).isFile();
    showSoundButton(music);
    if (music) {
        m_soundPlaying = true;
        B_Son->setIcon(playerIcon(PlayerIcon::SoundOn));
        playMusic();
    } else {
        m_soundPlaying = false;
    }
    if (m_slides.empty())
        QTimer::singleShot(0, this, &TMainForm::reportNoPicture);
}

void TMainForm::showSoundButton(bool music)
{
    B_Son->setVisible(music);
    B_Quit->move(music ? kQuitWithSound : kQuitWithoutSound, 1);
    PanelLumivelle->resize(music ? kToolbarWithSound : kToolbarWithoutSound, 24);
}

void TMainForm::reportNoPicture()
{
    m_diagnostics.trace(QStringLiteral("error ") + kNoPictureMessage);
    messages::information(kNoPictureMessage);
}

void TMainForm::setCursorsHidden(bool hidden)
{
    const QCursor cursor(hidden ? Qt::BlankCursor : Qt::ArrowCursor);
    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(ImageScreen),
                       static_cast<QWidget *>(LabelComment)})
        w->setCursor(cursor);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
    emit closed();
}

void TMainForm::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    Timer.setEnabled(false);
    ImageScreen->Stop();
    ImageScreen->setPicture(QImage());
    stopMusic();
}

void TMainForm::FormDestroy()
{
    FormClose();
    m_slideBitmap = QImage();
    m_executable.close();
    m_slides.clear();
}

} // namespace player
