// Fuzz target of the configuration file reader: any bytes parse, and the text written
// back reads again as the same entries (writing it a second time gives the same bytes).
#include "editor/shell/core/ini_file.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const editor::IniFile first = editor::IniFile::parse(bytes);
    const QByteArray written = first.serialize();
    const editor::IniFile second = editor::IniFile::parse(written);
    if (second.serialize() != written)
        std::abort();
    for (const QString &section : second.sections())
        for (const QString &key : second.keys(section))
            if (second.value(section, key) != first.value(section, key))
                std::abort();
    return 0;
}
