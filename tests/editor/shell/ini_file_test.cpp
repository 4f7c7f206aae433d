#include "editor/shell/core/config_file.h"
#include "editor/shell/core/ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace editor;

TEST(IniFile, KeepsValuesExactlyAsWritten)
{
    const QByteArray text = "[Application]\r\n"
                            "Rep_Collec=C:\\Albums\\\"Été\" = 2003 ; #1\r\n"
                            "  SoftRetoucheN  =  Editeur  \r\n"
                            "; a comment line\r\n"
                            "Empty=\r\n";
    const IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.value("Application", "Rep_Collec"), QStringLiteral("C:\\Albums\\\"Été\" = 2003 ; #1"));
    EXPECT_EQ(ini.value("Application", "SoftRetoucheN"), QStringLiteral("  Editeur  "));
    EXPECT_EQ(ini.value("Application", "Empty"), QString());
    EXPECT_EQ(ini.value("Application", "Missing"), std::nullopt);
    EXPECT_EQ(ini.value("Other", "Rep_Collec"), std::nullopt);
    EXPECT_EQ(ini.keys("Application"), QStringList({"Rep_Collec", "SoftRetoucheN", "Empty"}));
}

TEST(IniFile, NamesMatchWithoutRegardToCase)
{
    IniFile ini = IniFile::parse("[application]\nFILTEROK=0\n");
    EXPECT_EQ(ini.value("Application", "FilterOk"), QStringLiteral("0"));
    ini.setValue("APPLICATION", "filterok", "1");
    EXPECT_EQ(ini.serialize(), QByteArray("[application]\nFILTEROK=1\n"));
}

TEST(IniFile, NewKeysGoAtTheEndOfTheirSectionAndCommentsStay)
{
    IniFile ini = IniFile::parse("; kept\n[WEB]\nCol=4\n\n[Application]\nTIV=7\n");
    ini.setValue("WEB", "Line", "3");
    ini.setValue("Application", "TIV", "100");
    ini.setValue("ResizeBox", "Filter", "2");
    EXPECT_EQ(ini.serialize(), QByteArray("; kept\n[WEB]\nCol=4\nLine=3\n\n[Application]\nTIV=100\n"
                                          "[ResizeBox]\nFilter=2\n"));
    ini.removeKey("WEB", "col");
    EXPECT_EQ(ini.keys("WEB"), QStringList({"Line"}));
    EXPECT_EQ(ini.sections(), QStringList({"WEB", "Application", "ResizeBox"}));
}

TEST(IniFile, AValueWithALineBreakStaysOneLineAndAddsNoKey)
{
    IniFile ini = IniFile::parse("[Application]\nDerFile=\nSoftRetoucheF=\n");
    ini.setValue("Application", "DerFile", "/shows/a\nSoftRetoucheF=/bin/sh\r\n[WEB]\nX=1.dap");
    const IniFile reread = IniFile::parse(ini.serialize());
    EXPECT_EQ(reread.keys("Application"), QStringList({"DerFile", "SoftRetoucheF"}));
    EXPECT_EQ(reread.value("Application", "SoftRetoucheF"), QString());
    EXPECT_EQ(reread.value("Application", "DerFile"), QStringLiteral("/shows/a SoftRetoucheF=/bin/sh  [WEB] X=1.dap"));
    EXPECT_EQ(reread.sections(), QStringList({"Application"}));
}

TEST(IniFile, ReadsCodePage1252FilesAndWritesUtf8)
{
    // A file of the original program: "é" is the single byte 0xE9.
    const IniFile ini = IniFile::parse("[Application]\nRep_Collec=C:\\\xE9t\xE9\n");
    EXPECT_EQ(ini.value("Application", "Rep_Collec"), QStringLiteral("C:\\été"));
    EXPECT_EQ(ini.serialize(), QByteArray("[Application]\nRep_Collec=C:\\\xC3\xA9t\xC3\xA9\n"));
}

TEST(ConfigFile, TypedReadersFallBackOnMissingKeysAndNonNumbers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumivelle.cfg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Application]\nA= 42 \nB=abc\nC=-7\nD=2\nE=0\nF=12x\nG=99999999999\n");
    file.close();
    const ConfigFile config(path);
    EXPECT_EQ(config.readInteger("Application", "A", 1), 42);
    EXPECT_EQ(config.readInteger("Application", "B", 5), 5);
    EXPECT_EQ(config.readInteger("Application", "C", 5), -7);
    EXPECT_EQ(config.readInteger("Application", "F", 5), 5);
    EXPECT_EQ(config.readInteger("Application", "G", 5), 5);
    EXPECT_EQ(config.readInteger("Application", "Missing", 9), 9);
    EXPECT_TRUE(config.readBool("Application", "D", false));
    EXPECT_FALSE(config.readBool("Application", "E", true));
    EXPECT_TRUE(config.readBool("Application", "B", true));
    EXPECT_FALSE(config.readBool("Application", "B", false));
}

TEST(ConfigFile, EveryWriteReachesTheDiskAndAMissingFileIsEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumivelle.cfg");
    ConfigFile config(path);
    EXPECT_EQ(config.readString("WEB", "Title", "none"), QStringLiteral("none"));
    ASSERT_TRUE(config.writeString("WEB", "Title", "Mes photos"));
    ASSERT_TRUE(config.writeBool("WEB", "AddComment", true));
    ASSERT_TRUE(config.writeInteger("WEB", "ColorPage", 16777215));
    const ConfigFile reread(path);
    EXPECT_EQ(reread.readString("WEB", "Title", {}), QStringLiteral("Mes photos"));
    EXPECT_TRUE(reread.readBool("WEB", "AddComment", false));
    EXPECT_EQ(reread.readInteger("WEB", "ColorPage", 0), 16777215);
}

TEST(ConfigFile, AWriteIntoAnUnwritableFolderFailsWithoutThrowing)
{
    ConfigFile config("/proc/no-such-folder/Lumivelle.cfg");
    EXPECT_FALSE(config.writeString("Application", "TIV", "100"));
    EXPECT_EQ(config.readString("Application", "TIV", {}), QStringLiteral("100"));
}

TEST(ConfigFile, TheEnvironmentNamesTheConfigurationFolder)
{
    QTemporaryDir dir;
    const QString chosen = dir.filePath("cfg");
    qputenv("LUMIVELLE_CONFIG_DIR", chosen.toLocal8Bit());
    EXPECT_EQ(configDirectory(), chosen);
    EXPECT_TRUE(QFileInfo(chosen).isDir());
    qunsetenv("LUMIVELLE_CONFIG_DIR");
}
