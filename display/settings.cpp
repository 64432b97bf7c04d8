#include "display/settings.h"

#include "display/settings_table.h"

void SetDefaultSettings(SaverSettings& settings) {
    for (const SettingRow& row : SettingRows())
        SetDefaultSetting(settings, row);
}
