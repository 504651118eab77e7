// Profile reader over arbitrary bytes: parse, look up, rewrite, parse again.
#include "base/ProfileFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 16)) return 0;
    ProfileFile profile;
    profile.Parse(std::string(reinterpret_cast<const char*>(data), size));
    profile.GetInt("default", "Param1", 75);
    profile.GetString("Default", "TempDir", "");
    profile.WriteInt("default", "Param1", 80);
    ProfileFile again;
    again.Parse(profile.Text());
    if (again.GetInt("DEFAULT", "param1", 0) != 80)
        __builtin_trap(); // a written key must read back
    return 0;
}
