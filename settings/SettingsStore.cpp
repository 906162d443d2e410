#include "settings/SettingsStore.h"

#include <QStandardPaths>

namespace vorlix {

TSettingsStore::TSettingsStore(const QString& iniFile) : settings_(iniFile, QSettings::IniFormat) {}

QString TSettingsStore::DefaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Brantel/Chess Vorlix.ini";
}

QString TSettingsStore::Path(const QString& key, const QString& name) { return key + "/" + name; }

bool TSettingsStore::ValueExists(const QString& key, const QString& name) const {
    return settings_.contains(Path(key, name));
}

std::optional<int> TSettingsStore::ReadInteger(const QString& key, const QString& name) const {
    const QVariant v = settings_.value(Path(key, name));
    if (!v.isValid()) return std::nullopt;
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

std::optional<bool> TSettingsStore::ReadBool(const QString& key, const QString& name) const {
    const QVariant v = settings_.value(Path(key, name));
    if (!v.isValid()) return std::nullopt;
    const QString text = v.toString().trimmed().toLower();
    if (text == "true") return true;
    if (text == "false") return false;
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (!ok) return std::nullopt;
    return value != 0;
}

std::optional<QString> TSettingsStore::ReadString(const QString& key, const QString& name) const {
    const QVariant v = settings_.value(Path(key, name));
    if (!v.isValid()) return std::nullopt;
    return v.toString();
}

void TSettingsStore::WriteInteger(const QString& key, const QString& name, int value) {
    settings_.setValue(Path(key, name), value);
}

void TSettingsStore::WriteBool(const QString& key, const QString& name, bool value) {
    settings_.setValue(Path(key, name), value ? 1 : 0);
}

void TSettingsStore::WriteString(const QString& key, const QString& name, const QString& value) {
    settings_.setValue(Path(key, name), value);
}

void TSettingsStore::DeleteValue(const QString& key, const QString& name) { settings_.remove(Path(key, name)); }

void TSettingsStore::Flush() { settings_.sync(); }

}  // namespace vorlix
