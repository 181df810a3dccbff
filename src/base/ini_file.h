#pragma once

#include <QString>

#include <optional>

// An INI file under the private-profile rules: section and key names compare without case,
// the first matching section and key win, values are trimmed, an edit replaces its line in
// place and a new key goes to the end of its section. Every call opens, reads or rewrites
// and closes the file; a rewrite replaces the file atomically. Text is UTF-8, lines end CR LF.
class IniFile {
public:
    explicit IniFile(QString path) : path_(std::move(path)) {}

    const QString &path() const { return path_; }

    // The value, or defaultValue when the file, section or key is missing. Like a 255-byte
    // profile buffer, at most 254 bytes of the value come back (cut at a character boundary).
    QString read(const QString &section, const QString &key, const QString &defaultValue) const;

    // The value read with default "0" as a 32-bit integer; anything that is not a decimal
    // number counts as 0.
    int readInt(const QString &section, const QString &key) const;

    // Writes key=value, creating the file or section when missing. False when it cannot.
    bool write(const QString &section, const QString &key, const QString &value) const;

private:
    QString path_;
};

// Decimal text to a 32-bit integer; nullopt for anything else (blanks around it allowed).
std::optional<int> parseInt32(const QString &text);
