#pragma once
// The settings as a registry key on Windows: its subkeys are the sections, its values the keys.

#include "timing/IniDocument.h"

#include <QString>

// The same document the INI file holds, read from and written to a registry key given by its full
// path ("HKEY_CURRENT_USER\\Software\\..."). Elsewhere there is no registry: nothing is read and
// every write fails.
class RegistryDocument {
public:
    // Whether a location names a registry key rather than a file.
    static bool isKey(const QString &location);
    static IniDocument read(const QString &key);
    // Values the document no longer holds are removed; false when the key could not be written.
    static bool write(const QString &key, const IniDocument &doc);
    // As write(), but whatever else the key held is removed first.
    static bool replace(const QString &key, const IniDocument &doc);
};
