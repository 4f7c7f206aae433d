#include "editor/shell/core/config_file.h"

#include "base/atomic_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace editor {

QString configDirectory()
{
    const QString chosen = qEnvironmentVariable("LUMIVELLE_CONFIG_DIR");
    if (!chosen.isEmpty()) {
        QDir().mkpath(chosen);
        return QDir(chosen).absolutePath();
    }
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo(beside).isWritable())
        return beside;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(user);
    return user;
}

ConfigFile::ConfigFile(QString path) : m_path(std::move(path))
{
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly))
        m_ini = IniFile::parse(file.readAll());
}

QString ConfigFile::readString(const QString &section, const QString &key,
                               const QString &fallback) const
{
    return m_ini.value(section, key).value_or(fallback);
}

int ConfigFile::readInteger(const QString &section, const QString &key, int fallback) const
{
    const auto text = m_ini.value(section, key);
    if (!text)
        return fallback;
    bool ok = false;
    const int number = text->trimmed().toInt(&ok, 10);
    return ok ? number : fallback;
}

bool ConfigFile::readBool(const QString &section, const QString &key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

Result<void> ConfigFile::writeString(const QString &section, const QString &key,
                                     const QString &value)
{
    m_ini.setValue(section, key, value);
    if (m_path.isEmpty())
        return {};
    return writeFileAtomically(m_path, m_ini.serialize());
}

Result<void> ConfigFile::writeInteger(const QString &section, const QString &key, long long value)
{
    return writeString(section, key, QString::number(value));
}

Result<void> ConfigFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace editor
