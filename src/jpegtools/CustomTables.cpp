#include "jpegtools/CustomTables.h"

#include "base/AtomicFile.h"
#include "jpegtools/DqtFile.h"
#include "jpegtools/QuantTablePair.h"

#include <algorithm>
#include <fstream>

void LoadCustomTables(SettingsStore& store) {
    uint16_t values[128] = {};
    int count = 0;
    if (std::ifstream(store.customTablePath, std::ios::binary).is_open())
        count = std::max(0, LoadDQT(store.customTablePath, values));
    QuantTablePair generated = MakeQualityTablePair(store.param1);
    for (int i = 0; i < 128; ++i) {
        bool fromFile = i < 64 ? count >= 64 : count >= 128;
        store.customTables[i] = fromFile ? values[i] : generated[i];
    }
    store.customDqtChanged = 0;
}

void SaveCustomTables(SettingsStore& store) {
    if (!store.saveConfig || !store.customDqtChanged) return;
    CreateParentFolders(store.customTablePath); // written before the profile on a first run
    SaveDQT(store.customTablePath, store.customTables.data());
}

void AdoptCustomTables(SettingsStore& store, const QuantTablePair& tables) {
    store.customTables = tables;
    store.customDqtChanged = 1;
}
