#pragma once
// The four kinds of message box of both programs, with their French titles
// ("Information", "Avertissement", "Erreur", "Confirmation") and buttons ("OK", "&Oui",
// "&Non", "Annuler"). Every window reports to the user through these functions.
//
// A Prompter answers them: the real one shows a modal QMessageBox; tests install their
// own with ScopedPrompter so a question never waits on a real dialog. With the
// environment variable LUMIVELLE_UNATTENDED set to 1, no box is shown: each message is
// written on the standard error stream and every question gets its default answer
// (the first button), so scripts can drive the programs.
#include <QString>

class QWidget;

namespace messages {

enum class Kind { Plain, Information, Warning, Error, Confirmation };
enum class Answer { Ok, Yes, YesToAll, No, Cancel };
// The buttons of a question, left to right; the first one is the default. YesAllNoCancel
// is the overwrite question of the file operations ("&Oui", "Oui pour &tous", "&Non",
// "Annuler").
enum class Buttons { Ok, YesNo, YesCancel, YesNoCancel, YesAllNoCancel };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer ask(Kind kind, const QString &text, Buttons buttons) = 0;
};

// Puts a prompter in place for its lifetime, then restores the previous one.
class ScopedPrompter {
public:
    explicit ScopedPrompter(Prompter &prompter);
    ~ScopedPrompter();
    ScopedPrompter(const ScopedPrompter &) = delete;
    ScopedPrompter &operator=(const ScopedPrompter &) = delete;

private:
    Prompter *m_previous;
};

QString title(Kind kind);

// A message box without an icon, titled with the application's name.
void plain(const QString &text);
void information(const QString &text);
void warning(const QString &text);
void error(const QString &text);
// A question titled "Confirmation".
Answer confirm(const QString &text, Buttons buttons = Buttons::YesNo);
// Any kind with any buttons, for the rare warning that asks.
Answer ask(Kind kind, const QString &text, Buttons buttons);

} // namespace messages
