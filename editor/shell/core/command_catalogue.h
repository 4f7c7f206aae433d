#pragma once
// Every command of the main window: its name, caption, hint and shortcut. A hint made of
// a short part, "|" and a long part gives the tooltip and the status-line text; without
// "|" the same text serves both. Keys are in QKeySequence's portable text.
#include <QString>
#include <optional>
#include <span>

namespace editor {

// X(name, caption, hint, keys)
#define LUMIVELLE_COMMANDS(X) \
    X(NewProject, "Nouveau lumivelle", "Créer un nouveau lumivelle", "Ctrl+N") \
    X(OpenProjet, "Ouvrir un lumivelle", "Ouvrir un lumivelle existant", "Ctrl+O") \
    X(SaveProjet, "Enregistrer le lumivelle", "Enregistrer les modifications du lumivelle", "Ctrl+S") \
    X(SaveProjetAs, "Enregistrer le lumivelle sous...", "Enregistrer le lumivelle sous un nouveau nom", "") \
    X(OpenAncienScript, "Ouvrir un ancien fichier de script", "", "") \
    X(NewCollec, "Créer un nouvel album", "Créer un nouvel album", "Ctrl+Alt+N") \
    X(OpenCollec, "Ouvrir un album", "Ouvrir un album existant", "Ctrl+Alt+O") \
    X(SaveCollec, "Enregistrer l'album", "Enregistrer l'album", "Ctrl+Alt+S") \
    X(SaveCollecAs, "Enregistrer l'album sous...", "Enregistrer l'album sous un nouveau nom", "") \
    X(NewDir, "Créer un nouveau dossier", "Créer un nouveau dossier à l'emplacement actuel", "") \
    X(Delldir, "Supprimer ce dossier", "Supprimer le dossier", "") \
    X(RenameFile, "Renommer l'image", "Renommer le fichier", "") \
    X(Rename_All, "Renommer des images en lot", "Renommer les images sélectionnées en lot", "") \
    X(DellFile, "Supprimer des images", "Supprimer des images", "Ctrl+Del") \
    X(Quitter, "Quitter le programme", "Quitter le programme", "Alt+X") \
    X(Actualiser, "Actualiser", "|Actualiser la liste des dossiers", "F5") \
    X(SelectAll, "Sélectionner tout", "Sélectionner toutes les images", "Ctrl+A") \
    X(UnSelectAll, "Tout désélectionner", "Désélectionner toutes les images", "") \
    X(InvertSelect, "Inverser la sélection", "Inverser la sélection", "") \
    X(Cut, "Couper des images", "Couper des images", "Ctrl+X") \
    X(CopyFile, "Copier des images", "Copier des images", "Ctrl+C") \
    X(Paste, "Coller des images", "Coller des images", "Ctrl+V") \
    X(ParentDir, "Dossier parent", "", "") \
    X(BackDir, "Dossier précédent", "Aller au dossier précédent", "") \
    X(NextDir, "Dossier suivant", "Aller au dossier suivant", "") \
    X(Tri, "Trier la liste", "", "Ctrl+T") \
    X(VueImageList, "Voir l'image (F4)", "Voir l'image", "") \
    X(RefreshVignette, "Mettre à jour les vignettes sélectionnées", "Mettre à jour les vignettes sélectionnées", "") \
    X(RetoucherList, "Retoucher l'image", "Retoucher l'image sélectionnée", "") \
    X(RotateListRight, "90 degrés à droite", "", "Ctrl+F10") \
    X(RotateListLeft, "90 degrés à gauche", "", "Ctrl+F11") \
    X(RotateList180, "180 degrés", "", "Ctrl+F12") \
    X(RescalePict, "Redimensionner des images en lot", "Redimensionner les images sélectionnées", "") \
    X(ConvertJPG, "Convertir des images au format JPEG en lot", "Convertir les image sélectionnées au format JPEG", "") \
    X(Exif, "Informations d'appareil (EXIF)", "Information des métas-données des images JPG et TIFF", "Ctrl+E") \
    X(LumivelleRapide, "Lancer un lumivelle rapide", "Afficher un lumivelle immédiat des images", "") \
    X(Ajouter, "Ajouter les images au lumivelle", "Ajouter des images au lumivelle", "F2") \
    X(AddFileLumiv, "Ajouter des images depuis la boîte d'ouverture de fichiers", "Ajouter des images depuis la boîte d'ouverture de fichiers", "") \
    X(Supprimer, "Supprimer les images du lumivelle", "Supprimer des images du lumivelle", "F3") \
    X(VueImageScript, "Voir l'image (F4)", "Voir l'image", "") \
    X(RefreshVignetteLumiv, "Mettre à jour les vignettes sélectionnées", "Raffraichir les vignettes sélectionnées", "") \
    X(RetoucherScript, "Retoucher l'image", "Retoucher l'image sélectionnée", "") \
    X(AllStyle_Image, "Appliquer le style à toutes les images", "Appliquer le style à toutes les images", "F7") \
    X(RotateScriptRight, "90 degrés à droite", "", "Shift+F10") \
    X(RotateScriptLeft, "90 degrés à gauche", "", "Shift+F11") \
    X(RotateScript180, "180 degrés", "", "Shift+F12") \
    X(ModPath_S, "Modifier le chemin d'accès des images sélectionnées", "Modifier le chemin d'accès des images sélectionnées", "") \
    X(OptionLumivelle, "Options du lumivelle", "Options du lumivelle", "F9") \
    X(Lumivelle, "Créer le lumivelle", "Créer le lumivelle", "F10") \
    X(LumivelleWeb, "Créer un lumivelle Web", "Créer un lumivelle visible comme une page web", "F11") \
    X(AddCollec, "Ajouter les images à l'album", "Ajouter les images à l'album", "Ctrl+F2") \
    X(AddFileCollec, "Ajouter des images depuis la boîte d'ouverture de fichiers", "Ajouter des images depuis la boîte d'ouverture de fichiers", "") \
    X(DellCollec, "Supprimer les images de l'album", "Supprimer les images sélectionnées de l'album", "Ctrl+F3") \
    X(VueImageCollec, "Voir l'image (F4)", "Voir l'image", "") \
    X(RefreshVignetteCollec, "Mettre à jour les vignettes sélectionnées", "Mettre à jour les vignettes sélectionnées", "") \
    X(RetoucherCollec, "Retoucher l'image", "Retoucher l'image sélectionnée", "") \
    X(AllInfoCollec, "Appliquer les infos aux autres images de l'album", "Appliquer les infos aux autres images de l'album", "Ctrl+F7") \
    X(RotateCollecRight, "90 degrés à droite", "", "Shift+F10") \
    X(RotateCollecLeft, "90 degrés à gauche", "", "Shift+F11") \
    X(RotateCollec180, "180 degrés", "", "Shift+F12") \
    X(SerachCollec, "Rechercher des images dans cet album", "Rechercher des images dans cet album", "Ctrl+F") \
    X(ModPath, "Modifier le chemin d'accès des images sélectionnées", "Modifier le chemin d'accès des images sélectionnées", "") \
    X(ExplorerCollec, "Explorateur d'album", "Gérer les albums", "Ctrl+F9") \
    X(Option, "Options", "Option du programme", "") \
    X(ApercuActif, "Voir la fenêtre d'aperçu rapide", "Afficher la fenêtre d'aperçu rapide de l'image", "") \
    X(Soft_Retouche, "Associer un logiciel de retouche d'images", "Associer un logiciel de retouche photos", "") \
    X(AProposde, "A propos de...", "", "") \
    X(Help, "Aide de Lumivelle", "Aide générale du programme", "F1") \
    X(HelpAuthor, "Infos sur l'auteur", "", "") \
    X(VueImage, "Voir l'image", "Voir l'image", "F4") \
    X(PreviewFullScreen, "Plein écran", "", "")

enum class CommandId {
#define LUMIVELLE_COMMAND_ENUM(name, caption, hint, keys) name,
    LUMIVELLE_COMMANDS(LUMIVELLE_COMMAND_ENUM)
#undef LUMIVELLE_COMMAND_ENUM
};

struct CommandInfo {
    CommandId id;
    const char *name;
    const char *caption; // UTF-8
    const char *hint;
    const char *keys;
};

std::span<const CommandInfo> allCommands();
const CommandInfo &commandInfo(CommandId id);
std::optional<CommandId> commandByName(const QString &name);

// The two parts of a hint: the tooltip before "|", the status-line text after it.
struct HintParts {
    QString tooltip;
    QString statusText;
};
HintParts splitHint(const QString &hint);

// The retouch items read "Retoucher l'image avec <name>" once a program is associated.
QString retouchCaption(const QString &friendlyName);

} // namespace editor
