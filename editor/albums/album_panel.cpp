#include "editor/albums/album_panel.h"

#include "editor/albums/album_editing.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor {

using album::AlbumField;

namespace {

QLineEdit *field(const char *name, QWidget *parent, int maxLength = 0, bool readOnly = false)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setReadOnly(readOnly);
    return edit;
}

// Changes the text without the change reaction of the caller's guard.
void setText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

AlbumPanel::AlbumPanel(QWidget *parent)
    : QWidget(parent), EditOrigine(field("EditOrigine", this, 0, true)),
      EditPlace(field("EditPlace", this, album::fieldCapacity(AlbumField::Place))),
      EditDim(field("EditDim", this, 0, true)), EditTaille(field("EditTaille", this, 0, true)),
      EditDate(field("EditDate", this, album::fieldCapacity(AlbumField::Date))),
      EditAppareil(field("EditAppareil", this, album::fieldCapacity(AlbumField::Camera))),
      EditFocale(field("EditFocale", this, album::fieldCapacity(AlbumField::Focal))),
      EditFlash(field("EditFlash", this, album::fieldCapacity(AlbumField::Flash))),
      EditVitesse(field("EditVitesse", this, album::fieldCapacity(AlbumField::Speed))),
      EditOuverture(field("EditOuverture", this, album::fieldCapacity(AlbumField::Aperture))),
      EditComment(field("EditComment", this, album::fieldCapacity(AlbumField::Comment))),
      ComboCle(new QComboBox(this)), SpeedDellCle(new QToolButton(this))
{
    setObjectName(QStringLiteral("AlbumPanel"));
    ComboCle->setObjectName(QStringLiteral("ComboCle"));
    ComboCle->setEditable(true);
    ComboCle->setInsertPolicy(QComboBox::NoInsert);
    ComboCle->lineEdit()->setMaxLength(album::fieldCapacity(AlbumField::Keyword));
    ComboCle->installEventFilter(this);
    SpeedDellCle->setObjectName(QStringLiteral("SpeedDellCle"));
    SpeedDellCle->setText(QStringLiteral("X"));
    SpeedDellCle->setToolTip(QStringLiteral("Supprimer ce mot clé"));
    SpeedDellCle->setAutoRaise(true);
    build();
    connectEditors();
    showContents({});
}

void AlbumPanel::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 6, 4);
    layout->setSpacing(1);
    const std::pair<const char *, QWidget *> rows[] = {
        {"Dossier d'origine", EditOrigine}, {"Emplacement", EditPlace},     {"Dimension", EditDim},
        {"Taille", EditTaille},             {"Date de la photo", EditDate}, {"Appareil", EditAppareil},
        {"Focale", EditFocale},             {"Flash", EditFlash},           {"Vitesse", EditVitesse},
        {"Ouverture", EditOuverture},       {"Commentaire", EditComment}};
    for (const auto &[caption, editor] : rows) {
        layout->addWidget(new QLabel(QString::fromUtf8(caption), this));
        layout->addWidget(editor);
    }
    auto *keywordRow = new QHBoxLayout;
    keywordRow->addWidget(new QLabel(QStringLiteral("Mots clés"), this), 1);
    keywordRow->addWidget(SpeedDellCle);
    layout->addLayout(keywordRow);
    layout->addWidget(ComboCle);
    layout->addStretch(1);
}

QLineEdit *AlbumPanel::editorOf(AlbumField field) const
{
    switch (field) {
    case AlbumField::Place: return EditPlace;
    case AlbumField::Date: return EditDate;
    case AlbumField::Camera: return EditAppareil;
    case AlbumField::Flash: return EditFlash;
    case AlbumField::Focal: return EditFocale;
    case AlbumField::Speed: return EditVitesse;
    case AlbumField::Aperture: return EditOuverture;
    case AlbumField::Comment: return EditComment;
    case AlbumField::Keyword: break;
    }
    return ComboCle->lineEdit();
}

void AlbumPanel::connectEditors()
{
    for (AlbumField field : album::kAlbumFields) {
        if (field == AlbumField::Keyword)
            continue;
        connect(editorOf(field), &QLineEdit::textChanged, this, [this, field](const QString &text) {
            if (!m_filling)
                emit fieldEdited(field, text);
        });
    }
    connect(ComboCle, &QComboBox::editTextChanged, this, [this](const QString &text) {
        if (!m_filling)
            emit fieldEdited(AlbumField::Keyword, text);
    });
    connect(ComboCle, &QComboBox::activated, this, [this](int index) { m_chosenKeyword = index; });
    connect(ComboCle->lineEdit(), &QLineEdit::textEdited, this, [this] { m_chosenKeyword = -1; });
    connect(SpeedDellCle, &QToolButton::clicked, this, &AlbumPanel::deleteKeywordRequested);
}

bool AlbumPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ComboCle && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
        emit keywordBoxLeft(ComboCle->currentText());
    return QWidget::eventFilter(watched, event);
}

void AlbumPanel::showContents(const AlbumPanelContents &contents)
{
    m_filling = true;
    for (QWidget *editor : {static_cast<QWidget *>(EditOrigine), static_cast<QWidget *>(ComboCle)})
        editor->setEnabled(contents.enabled);
    for (AlbumField field : album::kAlbumFields)
        if (field != AlbumField::Keyword)
            editorOf(field)->setEnabled(contents.enabled);
    setText(EditOrigine, contents.origine);
    setText(EditDim, contents.dim);
    setText(EditTaille, contents.taille);
    for (AlbumField field : album::kAlbumFields)
        if (field != AlbumField::Keyword)
            setText(editorOf(field), contents.texts.text(field));
    ComboCle->setEditText(contents.texts.keyword);
    m_chosenKeyword = -1;
    m_filling = false;
    EditOrigine->setToolTip(EditOrigine->text());
    EditAppareil->setToolTip(EditAppareil->text());
    EditComment->setToolTip(EditComment->text());
}

void AlbumPanel::setKeywordItems(const QStringList &items)
{
    m_filling = true;
    const QString text = ComboCle->currentText();
    ComboCle->clear();
    ComboCle->addItems(items);
    ComboCle->setCurrentIndex(-1);
    ComboCle->setEditText(text);
    m_chosenKeyword = -1;
    m_filling = false;
}

void AlbumPanel::clearKeywordText()
{
    m_filling = true;
    ComboCle->setCurrentIndex(-1);
    ComboCle->setEditText(QString());
    m_chosenKeyword = -1;
    m_filling = false;
}

} // namespace editor
