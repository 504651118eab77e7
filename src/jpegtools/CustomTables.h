#pragma once
#include "settings/SettingsStore.h"

// Start-up: the custom tables come from their file as far as it has values; missing tables
// are made from the quality setting. No report when the file is missing or short.
void LoadCustomTables(SettingsStore& store);
// Exit: the tables are written to their file when saving is on (SaveConfig) and they were
// changed during the run.
void SaveCustomTables(SettingsStore& store);
// The application takes an edited pair; it is written to the file at exit.
void AdoptCustomTables(SettingsStore& store, const QuantTablePair& tables);
