#include "editor/shell/core/config_file.h"
#include "editor/shell/core/editor_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace editor;

namespace {

QString writeConfig(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath("Lumivelle.cfg");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return path;
}

bool anyFile(const QString &path) { return !path.isEmpty(); }
bool noFile(const QString &) { return false; }

} // namespace

TEST(EditorSettings, AMissingFileGivesEveryDefault)
{
    QTemporaryDir dir;
    const EditorSettings s = readEditorSettings(ConfigFile(dir.filePath("none.cfg")), &anyFile);
    EXPECT_EQ(s.Rep_Collec, QString());
    EXPECT_TRUE(s.FilterOk);
    EXPECT_TRUE(s.Apercu);
    EXPECT_EQ(s.colosel, 8388608u);
    EXPECT_EQ(s.colonorm, 14597308u);
    EXPECT_EQ(s.cologrid, 15918822u);
    EXPECT_EQ(colourBlue(s.colosel), 128);
    EXPECT_EQ(colourRed(s.colonorm), 188);
    EXPECT_TRUE(s.InfoVignette);
    EXPECT_EQ(s.PanelDirTree, 190);
    EXPECT_EQ(s.PanelView, 170);
    EXPECT_EQ(s.UnitLumivelle, 5);
    EXPECT_EQ(s.SoftRetoucheF, QString());
    EXPECT_EQ(s.SoftRetoucheN, QString());
    EXPECT_TRUE(s.AutoOrient);
    EXPECT_EQ(s.ThumbCacheMB, 500);
}

TEST(EditorSettings, ValuesAreReadBackAndNonNumbersGiveTheDefaults)
{
    QTemporaryDir dir;
    const QString path = writeConfig(dir, "[Application]\nRep_Collec=/photos/albums\nFilterOk=0\n"
                                          "Apercu=2\ncolosel=255\ncolonorm=bleu\ncologrid=\n"
                                          "InfoVignette=0\nPanelDirTree=250\nPanelView=x\n"
                                          "UnitLumivelle=300\nSoftRetoucheF=/usr/bin/gimp\n"
                                          "SoftRetoucheN=Gimp\nAutoOrient=0\nThumbCacheMB=beaucoup\n");
    const EditorSettings s = readEditorSettings(ConfigFile(path), &anyFile);
    EXPECT_EQ(s.Rep_Collec, QStringLiteral("/photos/albums"));
    EXPECT_FALSE(s.FilterOk);
    EXPECT_TRUE(s.Apercu);
    EXPECT_EQ(s.colosel, 255u);
    EXPECT_EQ(s.colonorm, 14597308u);
    EXPECT_EQ(s.cologrid, 15918822u);
    EXPECT_FALSE(s.InfoVignette);
    EXPECT_EQ(s.PanelDirTree, 250);
    EXPECT_EQ(s.PanelView, 170);
    EXPECT_EQ(s.UnitLumivelle, 300); // kept as read until the options dialog is confirmed
    EXPECT_EQ(s.SoftRetoucheF, QStringLiteral("/usr/bin/gimp"));
    EXPECT_EQ(s.SoftRetoucheN, QStringLiteral("Gimp"));
    EXPECT_FALSE(s.AutoOrient);
    EXPECT_EQ(s.ThumbCacheMB, 500);
}

TEST(EditorSettings, ARetouchProgramThatIsGoneDropsBothKeysAndLongNamesAreCut)
{
    QTemporaryDir dir;
    const QString longPath = "/" + QString(100, 'p');
    const QString path = writeConfig(
        dir, "[Application]\nSoftRetoucheF=" + longPath.toUtf8() + "\nSoftRetoucheN=" + QByteArray(40, 'n') + "\n");
    const EditorSettings gone = readEditorSettings(ConfigFile(path), &noFile);
    EXPECT_EQ(gone.SoftRetoucheF, QString());
    EXPECT_EQ(gone.SoftRetoucheN, QString());
    QString checked;
    const EditorSettings kept = readEditorSettings(ConfigFile(path), [&](const QString &p) {
        checked = p;
        return true;
    });
    EXPECT_EQ(kept.SoftRetoucheF, longPath); // a cut path would name another file
    EXPECT_EQ(kept.SoftRetoucheN, QString(30, 'n'));
    EXPECT_EQ(checked, kept.SoftRetoucheF);
    EditorSettings set;
    set.setRetouchProgram(longPath, QString(31, 'x'));
    EXPECT_EQ(set.SoftRetoucheF, longPath);
    EXPECT_EQ(set.SoftRetoucheN.size(), 30);
}

TEST(EditorSettings, StoredPanelSizesAreCheckedAgainstTheWindow)
{
    EXPECT_EQ(correctedPanelDirTree(700, 792), 190);
    EXPECT_EQ(correctedPanelDirTree(642, 792), 642);
    EXPECT_EQ(correctedPanelDirTree(643, 792), 190);
    EXPECT_EQ(correctedPanelDirTree(700, 1592), 700);
    EXPECT_EQ(correctedPanelView(400, 480), 170);
    EXPECT_EQ(correctedPanelView(380, 480), 380);
    EXPECT_EQ(extraCellHeight(true) + 100, 135);
    EXPECT_EQ(extraCellHeight(false) + 100, 106);
}

TEST(EditorSettings, ExitWritesTheKeysInOrderWithTIVAlways100)
{
    QTemporaryDir dir;
    const QString path = writeConfig(dir, "[WEB]\nTitle=Vacances\n[Application]\nTIV=3\n");
    ConfigFile config(path);
    EditorSettings s;
    s.FilterOk = false;
    s.Rep_Collec = "/albums";
    s.UnitLumivelle = 12;
    s.setRetouchProgram("/usr/bin/gimp", "Gimp");
    s.AutoOrient = false;
    s.ThumbCacheMB = 64;
    ExitState exit{"/shows/été.dap", 210, 180};
    ASSERT_TRUE(writeEditorSettings(config, s, exit));

    const ConfigFile reread(path);
    EXPECT_EQ(reread.ini().keys("Application"),
              QStringList({"TIV", "FilterOk", "DerFile", "SoftRetoucheF", "SoftRetoucheN", "colosel",
                           "colonorm", "cologrid", "PanelDirTree", "PanelView", "UnitLumivelle",
                           "Apercu", "Rep_Collec", "InfoVignette", "AutoOrient", "ThumbCacheMB"}));
    EXPECT_EQ(reread.readString("Application", "TIV", {}), QStringLiteral("100"));
    EXPECT_EQ(reread.readString("Application", "FilterOk", {}), QStringLiteral("0"));
    EXPECT_EQ(reread.readString("Application", "Apercu", {}), QStringLiteral("1"));
    EXPECT_EQ(reread.readString("Application", "DerFile", {}), QStringLiteral("/shows/été.dap"));
    EXPECT_EQ(reread.readString("Application", "colosel", {}), QStringLiteral("8388608"));
    EXPECT_EQ(reread.readInteger("Application", "PanelDirTree", 0), 210);
    EXPECT_EQ(reread.readInteger("Application", "PanelView", 0), 180);
    EXPECT_EQ(reread.readString("WEB", "Title", {}), QStringLiteral("Vacances"));

    const EditorSettings back = readEditorSettings(reread, &anyFile);
    EXPECT_FALSE(back.FilterOk);
    EXPECT_EQ(back.Rep_Collec, QStringLiteral("/albums"));
    EXPECT_EQ(back.UnitLumivelle, 12);
    EXPECT_EQ(back.SoftRetoucheN, QStringLiteral("Gimp"));
    EXPECT_FALSE(back.AutoOrient);
    EXPECT_EQ(back.ThumbCacheMB, 64);
}

TEST(EditorSettings, AFreshFileListsTheExitKeysInWriteOrder)
{
    QTemporaryDir dir;
    ConfigFile config(dir.filePath("Lumivelle.cfg"));
    ASSERT_TRUE(writeEditorSettings(config, EditorSettings{}, ExitState{{}, 190, 170}));
    QFile file(config.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Application]\nFilterOk=1\nTIV=100\nDerFile=\nSoftRetoucheF=\n"
                                         "SoftRetoucheN=\ncolosel=8388608\ncolonorm=14597308\n"
                                         "cologrid=15918822\nPanelDirTree=190\nPanelView=170\n"
                                         "UnitLumivelle=5\nApercu=1\nRep_Collec=\nInfoVignette=1\n"
                                         "AutoOrient=1\nThumbCacheMB=500\n"));
}
