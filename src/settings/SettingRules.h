#pragma once
// The values each key of section "default" takes, from the settings table: flags 0 or 1, list
// indices within their lists, the JPEG quality 0 to 100, the 16-bit densities; gamma values are
// positive reals, other keys any whole number or text of their kind.
#include "settings/SettingKeys.h"
#include "settings/ValueRule.h"

ValueRule SettingRule(const SettingKey& key);
// The rule of the key of that name (text for a name that is no key).
ValueRule SettingRule(const char* name);
// The zoom keys: a percentage, 0 ending the table early.
ValueRule ZoomRule();
