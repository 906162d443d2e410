#include "viewers/PgnViewerSettings.h"

#include "settings/SettingsStore.h"

namespace vorlix {

namespace {

int RangedInteger(TSettingsStore& store, const QString& name, int lo, int hi, int fallback) {
    const std::optional<int> stored = store.ReadInteger(kPGNLayoutKey, name);
    if (stored && *stored >= lo && *stored <= hi) return *stored;
    store.WriteInteger(kPGNLayoutKey, name, fallback);
    return fallback;
}

std::string FontName(TSettingsStore& store, const QString& name) {
    const std::optional<QString> stored = store.ReadString(kPGNLayoutKey, name);
    if (stored && !stored->trimmed().isEmpty()) return stored->toStdString();
    store.WriteString(kPGNLayoutKey, name, "Arial");
    return "Arial";
}

// Every bit set is a known style, so any stored bit set is valid.
int FontStyle(TSettingsStore& store, const QString& name) {
    return RangedInteger(store, name, 0, fsBold | fsItalic | fsUnderline | fsStrikeOut, 0);
}

}  // namespace

bool LoadShowGameState(TSettingsStore& store) { return store.ReadBool(kPGNViewerKey, "ShowGameState").value_or(false); }

void SaveShowGameState(TSettingsStore& store, bool show) {
    store.WriteBool(kPGNViewerKey, "ShowGameState", show);
    store.Flush();
}

TMoveListPrintSettings LoadMoveListPrintSettings(TSettingsStore& store) {
    TMoveListPrintSettings s;
    s.Layout = RangedInteger(store, "Layout", 0, 2, mlRunningText);
    s.HeaderFont.Size = RangedInteger(store, "HFSize", 8, 100, 14);
    s.HeaderFont.Name = FontName(store, "HFName");
    s.HeaderFont.Style = FontStyle(store, "HFStyle");
    s.BodyFont.Size = RangedInteger(store, "BFSize", 8, 100, 12);
    s.BodyFont.Name = FontName(store, "BFName");
    s.BodyFont.Style = FontStyle(store, "BFStyle");
    s.Notation = static_cast<TNotation>(RangedInteger(store, "Notation", 0, kNotationCount - 1, 0));
    return s;
}

void SaveMoveListPrintSettings(TSettingsStore& store, const TMoveListPrintSettings& s) {
    store.WriteInteger(kPGNLayoutKey, "Layout", s.Layout);
    store.WriteInteger(kPGNLayoutKey, "HFSize", s.HeaderFont.Size);
    store.WriteString(kPGNLayoutKey, "HFName", QString::fromStdString(s.HeaderFont.Name));
    store.WriteInteger(kPGNLayoutKey, "HFStyle", s.HeaderFont.Style);
    store.WriteInteger(kPGNLayoutKey, "BFSize", s.BodyFont.Size);
    store.WriteString(kPGNLayoutKey, "BFName", QString::fromStdString(s.BodyFont.Name));
    store.WriteInteger(kPGNLayoutKey, "BFStyle", s.BodyFont.Style);
    store.WriteInteger(kPGNLayoutKey, "Notation", static_cast<int>(s.Notation));
}

}  // namespace vorlix
