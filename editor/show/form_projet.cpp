#include "editor/show/form_projet.h"

#include "editor/shell/help.h"
#include "editor/show/show_dialogs.h"
#include "editor/show/test_sound.h"
#include "ui/dialog_buttons.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace editor {

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &hint)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
    b->setStatusTip(hint.section(QLatin1Char('|'), 1));
    b->setAutoDefault(false);
    return b;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

TFormProjet::TFormProjet(ShowDialogs &dialogs, QWidget *parent) : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TFormProjet"));
    setWindowTitle(QStringLiteral("Options du lumivelle"));
    auto *layout = new QVBoxLayout(this);

    auto *musicBox = new QGroupBox(QStringLiteral(" Musique du lumivelle "), this);
    auto *musicLayout = new QGridLayout(musicBox);
    EditWave = new QLineEdit(musicBox);
    EditWave->setObjectName(QStringLiteral("EditWave"));
    EditWave->setReadOnly(true);
    EditWave->setMinimumWidth(320);
    ButtonParcourir = button(musicBox, "ButtonParcourir", QStringLiteral("&Parcourir"),
                             QStringLiteral("|Rechercher un fichier Wav"));
    ButtonTest = button(musicBox, "ButtonTest", QStringLiteral("&Tester"), QStringLiteral("|Ecouter le son"));
    ButtonAucunSon = button(musicBox, "ButtonAucunSon", QStringLiteral("&Aucun"), QStringLiteral("|Supprimer le son"));
    musicLayout->addWidget(EditWave, 0, 0, 1, 3);
    musicLayout->addWidget(ButtonParcourir, 1, 0);
    musicLayout->addWidget(ButtonTest, 1, 1);
    musicLayout->addWidget(ButtonAucunSon, 1, 2);
    layout->addWidget(musicBox);

    CheckBoucle = checkBox(this, "CheckBoucle", QStringLiteral("Jouer le lumivelle en boucle"));
    CheckCopie = checkBox(this, "CheckCopie", QStringLiteral("Permettre la copie des images depuis le lumivelle (menu)"));
    CheckQualite =
        checkBox(this, "CheckQualite", QStringLiteral("Afficher les photos en qualité maximale (ordinateur rapide)"));
    for (QCheckBox *box : {CheckBoucle, CheckCopie, CheckQualite})
        layout->addWidget(box);

    const ui::DialogButtons buttons = ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("projet.htm")); });
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ButtonParcourir, &QPushButton::clicked, this, &TFormProjet::ButtonParcourirClick);
    connect(ButtonTest, &QPushButton::clicked, this, &TFormProjet::ButtonTestClick);
    connect(ButtonAucunSon, &QPushButton::clicked, this, &TFormProjet::ButtonAucunSonClick);
    connect(EditWave, &QLineEdit::textChanged, this, &TFormProjet::EditWaveChange);
    setOptions(showdoc::ShowOptions{});
    EditWaveChange();
}

TFormProjet::~TFormProjet() = default;

showdoc::ShowOptions TFormProjet::options() const
{
    return {EditWave->text(), CheckBoucle->isChecked(), CheckCopie->isChecked(), CheckQualite->isChecked()};
}

void TFormProjet::setOptions(const showdoc::ShowOptions &options)
{
    setMusic(options.music);
    CheckBoucle->setChecked(options.loop);
    CheckCopie->setChecked(options.allowCopy);
    CheckQualite->setChecked(options.maxQuality);
}

QString TFormProjet::music() const
{
    return EditWave->text();
}

void TFormProjet::setMusic(const QString &path)
{
    EditWave->setText(path);
}

void TFormProjet::setTestSound(TestSound *sound)
{
    if (m_sound)
        m_sound->deleteLater();
    m_sound = sound;
    sound->setParent(this);
    connect(sound, &TestSound::notify, this, &TFormProjet::MediaPlayer1Notify);
}

TestSound &TFormProjet::sound()
{
    if (!m_sound)
        setTestSound(new MediaTestSound(this));
    return *m_sound;
}

void TFormProjet::EditWaveChange()
{
    const bool hasMusic = !EditWave->text().isEmpty();
    ButtonTest->setEnabled(hasMusic);
    ButtonAucunSon->setEnabled(hasMusic);
}

void TFormProjet::ButtonParcourirClick()
{
    if (m_sound && m_sound->isOpen())
        m_sound->close();
    if (const auto chosen = m_dialogs.chooseMusic())
        setMusic(*chosen);
}

void TFormProjet::ButtonTestClick()
{
    if (!QFileInfo(music()).isFile())
        return;
    if (sound().isOpen())
        sound().close();
    sound().open(music());
}

void TFormProjet::MediaPlayer1Notify()
{
    if (m_sound && m_sound->isStopped())
        m_sound->playFromStart();
}

void TFormProjet::ButtonAucunSonClick()
{
    if (messages::confirm(QStringLiteral("Supprimer le son ?"), messages::Buttons::YesCancel) != messages::Answer::Yes)
        return;
    setMusic(QString());
    EditWaveChange();
    if (m_sound && m_sound->isOpen())
        m_sound->close();
}

void TFormProjet::FormClose()
{
    if (m_sound && m_sound->isOpen())
        m_sound->close();
}

void TFormProjet::done(int result)
{
    FormClose();
    QDialog::done(result);
}

} // namespace editor
