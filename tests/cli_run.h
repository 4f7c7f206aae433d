#pragma once
// Runs the built lumivelle-cli with arguments and collects what it printed, for the tests
// of its commands.
#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

struct CliRun {
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

inline CliRun runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(LUMIVELLE_BIN_DIR "/lumivelle-cli"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
