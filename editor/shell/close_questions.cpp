#include "editor/shell/close_questions.h"

#include "ui/messages.h"

namespace editor {

namespace {

// One save question; false when the user cancelled or the save did not happen.
bool askToSave(const std::function<bool()> &modified, const std::function<bool()> &save,
               const QString &question)
{
    if (!modified || !modified())
        return true;
    switch (messages::confirm(question, messages::Buttons::YesNoCancel)) {
    case messages::Answer::Cancel: return false;
    case messages::Answer::Yes: return !save || save();
    default: return true;
    }
}

} // namespace

bool confirmClose(const OpenDocuments &documents)
{
    return askToSave(documents.showModified, documents.saveShow, kSaveShowQuestion) &&
           askToSave(documents.albumModified, documents.saveAlbum, kSaveAlbumQuestion);
}

} // namespace editor
