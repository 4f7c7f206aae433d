#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace messages {
namespace {

// The button texts of the platform's French boxes.
constexpr auto kOk = "OK";
constexpr auto kYes = "&Oui";
constexpr auto kYesToAll = "Oui pour &tous";
constexpr auto kNo = "&Non";
constexpr auto kCancel = "Annuler";

QMessageBox::Icon iconOf(Kind kind)
{
    switch (kind) {
    case Kind::Plain: return QMessageBox::NoIcon;
    case Kind::Information: return QMessageBox::Information;
    case Kind::Warning: return QMessageBox::Warning;
    case Kind::Error: return QMessageBox::Critical;
    case Kind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

Answer firstAnswer(Buttons buttons)
{
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}

class DialogPrompter final : public Prompter {
public:
    Answer ask(Kind kind, const QString &text, Buttons buttons) override
    {
        if (qEnvironmentVariable("LUMIVELLE_UNATTENDED") == QLatin1String("1") || !qApp)
            return unattended(kind, text, buttons);
        QMessageBox box(iconOf(kind), title(kind), text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        QPushButton *first = nullptr;
        QPushButton *yes = nullptr, *yesToAll = nullptr, *no = nullptr, *cancel = nullptr;
        if (buttons == Buttons::Ok) {
            first = box.addButton(QString::fromUtf8(kOk), QMessageBox::AcceptRole);
            box.setEscapeButton(first);
        } else {
            first = yes = box.addButton(QString::fromUtf8(kYes), QMessageBox::YesRole);
            if (buttons == Buttons::YesAllNoCancel)
                yesToAll = box.addButton(QString::fromUtf8(kYesToAll), QMessageBox::YesRole);
            if (buttons != Buttons::YesCancel)
                no = box.addButton(QString::fromUtf8(kNo), QMessageBox::NoRole);
            if (buttons != Buttons::YesNo)
                cancel = box.addButton(QString::fromUtf8(kCancel), QMessageBox::RejectRole);
            box.setEscapeButton(cancel ? cancel : no);
        }
        box.setDefaultButton(first);
        box.exec();
        const auto *clicked = box.clickedButton();
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (clicked == yes)
            return Answer::Yes;
        if (clicked == yesToAll)
            return Answer::YesToAll;
        if (clicked == no)
            return Answer::No;
        return cancel ? Answer::Cancel : Answer::No;
    }

private:
    static Answer unattended(Kind kind, const QString &text, Buttons buttons)
    {
        const QString line = title(kind) + QLatin1String(": ") + text + QLatin1Char('\n');
        std::fputs(line.toUtf8().constData(), stderr);
        std::fflush(stderr);
        return firstAnswer(buttons);
    }
};

DialogPrompter g_dialogPrompter;
Prompter *g_prompter = &g_dialogPrompter;

} // namespace

ScopedPrompter::ScopedPrompter(Prompter &prompter) : m_previous(g_prompter)
{
    g_prompter = &prompter;
}

ScopedPrompter::~ScopedPrompter()
{
    g_prompter = m_previous;
}

QString title(Kind kind)
{
    switch (kind) {
    case Kind::Plain:
        if (qApp && !QGuiApplication::applicationDisplayName().isEmpty())
            return QGuiApplication::applicationDisplayName();
        return QStringLiteral("Lumivelle");
    case Kind::Information: return QStringLiteral("Information");
    case Kind::Warning: return QStringLiteral("Avertissement");
    case Kind::Error: return QStringLiteral("Erreur");
    case Kind::Confirmation: return QStringLiteral("Confirmation");
    }
    return {};
}

void plain(const QString &text) { g_prompter->ask(Kind::Plain, text, Buttons::Ok); }
void information(const QString &text) { g_prompter->ask(Kind::Information, text, Buttons::Ok); }
void warning(const QString &text) { g_prompter->ask(Kind::Warning, text, Buttons::Ok); }
void error(const QString &text) { g_prompter->ask(Kind::Error, text, Buttons::Ok); }

Answer confirm(const QString &text, Buttons buttons)
{
    return g_prompter->ask(Kind::Confirmation, text, buttons);
}

Answer ask(Kind kind, const QString &text, Buttons buttons)
{
    return g_prompter->ask(kind, text, buttons);
}

} // namespace messages
