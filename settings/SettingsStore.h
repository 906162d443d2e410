#pragma once
// Typed access to the editor's settings file. Values live under key paths such
// as "Software/Brantel/Chess Vorlix/2.20/HighLighting"; integers and Booleans are
// stored as numbers (a Boolean reads true when non-zero), strings as text.
#include <QSettings>
#include <QString>
#include <optional>

namespace vorlix {

class TSettingsStore {
public:
    // Uses the given INI file, creating it on the first write.
    explicit TSettingsStore(const QString& iniFile);

    // The per-user settings file of the editor.
    static QString DefaultFile();

    // Absent values and values that are not of the asked type read as nullopt.
    std::optional<int> ReadInteger(const QString& key, const QString& name) const;
    std::optional<bool> ReadBool(const QString& key, const QString& name) const;
    std::optional<QString> ReadString(const QString& key, const QString& name) const;
    bool ValueExists(const QString& key, const QString& name) const;

    void WriteInteger(const QString& key, const QString& name, int value);
    void WriteBool(const QString& key, const QString& name, bool value);
    void WriteString(const QString& key, const QString& name, const QString& value);
    void DeleteValue(const QString& key, const QString& name);

    // Flushes pending writes to the file.
    void Flush();
    QString FileName() const { return settings_.fileName(); }

private:
    static QString Path(const QString& key, const QString& name);
    mutable QSettings settings_;
};

}  // namespace vorlix
