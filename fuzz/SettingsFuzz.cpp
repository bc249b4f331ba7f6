// The settings file: any bytes as "ZornSetting.ini" loaded through the portable profile store,
// saved back through the temporary copy and loaded again. The second load must give what was
// saved the first time (the stored numbers and flags survive a save unchanged).

#include <cstdlib>

#include "FuzzSupport.h"
#include "config/SettingsFile.h"
#include "fakes/MemorySettingsHost.h"
#include "seam/portable/IniProfileStore.h"
#include "seam/portable/PortableFileSystem.h"

using namespace tressel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ScratchFolder& folder = fuzz::ScratchFolder::Instance();
    folder.Write("ZornSetting.ini", std::string_view(reinterpret_cast<const char*>(data), size));
    const std::wstring path = folder.Wide("ZornSetting.ini");

    IniProfileStore profiles;
    PortableFileSystem files;
    testing::MemorySettingsHost first;
    LoadButtonSettings(first, profiles, path);
    if (!SaveButtonSettings(first, profiles, files, path)) std::abort();
    testing::MemorySettingsHost second;
    LoadButtonSettings(second, profiles, path);
    for (const ButtonId input : kAllButtons) {
        const ButtonSetting& a = first.Record(input);
        const ButtonSetting& b = second.Record(input);
        if (a.hooked != b.hooked || a.keyAction != b.keyAction || a.keyCode != b.keyCode ||
            a.mouseAction != b.mouseAction || a.category != b.category) {
            std::abort();
        }
    }
    return 0;
}
