#pragma once
// The configuration file Lumivelle.cfg and where it lives: beside the program when that
// folder is writable, otherwise in the user's configuration folder. The environment
// variable LUMIVELLE_CONFIG_DIR names another folder (tests, portable use).
//
// Every write goes to the disk at once (through a temporary file renamed over the old
// one), so the dialogs that keep their own sections may write at any time. The typed
// readers give the default for a missing key and for a value that is not a number.
#include "base/result.h"
#include "editor/shell/core/ini_file.h"

#include <QString>

namespace editor {

// The folder of the configuration and keyword files.
QString configDirectory();

class ConfigFile {
public:
    ConfigFile() = default;
    // Reads the file; a missing or unreadable file gives an empty configuration.
    explicit ConfigFile(QString path);

    const QString &path() const { return m_path; }
    const IniFile &ini() const { return m_ini; }

    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // Decimal integers with an optional sign and blanks around them.
    int readInteger(const QString &section, const QString &key, int fallback) const;
    // A number other than 0 is true.
    bool readBool(const QString &section, const QString &key, bool fallback) const;

    Result<void> writeString(const QString &section, const QString &key, const QString &value);
    Result<void> writeInteger(const QString &section, const QString &key, long long value);
    Result<void> writeBool(const QString &section, const QString &key, bool value);

private:
    QString m_path;
    IniFile m_ini;
};

} // namespace editor
