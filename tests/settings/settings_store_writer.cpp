// A second running copy of the program, as far as the settings store is concerned. Started by
// the file-store tests:
//   settings_store_writer write PREFIX COUNT  writes PREFIX0..PREFIX<COUNT-1>, then "Shared"
//   settings_store_writer loop                rewrites two values until it is killed

#include "settings/ConfigurationKey.h"
#include "settings/Registry.h"

#include <cstdlib>
#include <string>

namespace {

void save(const std::string& name, const std::string& value)
{
    Registry::SaveSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, name, value);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "write" && argc == 4) {
        const std::string prefix = argv[2];
        const int count = std::atoi(argv[3]);
        for (int i = 0; i < count; ++i)
            save(prefix + std::to_string(i), prefix + "-value-" + std::to_string(i));
        save("Shared", prefix);
        return 0;
    }
    if (mode == "loop" && argc == 2) {
        // Values of changing length, so that a torn file could not pass for a whole one.
        for (unsigned i = 0;; ++i) {
            save("Counter", std::to_string(i));
            save("Blob", std::string(1000 + (i * 997) % 7000, static_cast<char>('a' + i % 26)));
        }
    }
    return 2;
}
