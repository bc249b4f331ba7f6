// The settings file: any bytes as "ZornSetting.ini", loaded, saved back through the temporary
// copy and loaded again from the bytes that save leaves. The second load must give what was
// saved the first time (the stored numbers and flags survive a save unchanged). The files live
// in memory as parsed documents, so a round costs two parses instead of one per profile call.

#include <cstdlib>

#include "MemoryProfileFiles.h"
#include "config/SettingsFile.h"
#include "fakes/MemorySettingsHost.h"

using namespace tressel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring path = L"C:\\Tressel\\ZornSetting.ini";
    fuzz::MemoryProfileFiles files;
    files.Put(path, std::string(reinterpret_cast<const char*>(data), size));
    testing::MemorySettingsHost first;
    LoadButtonSettings(first, files, path);
    if (!SaveButtonSettings(first, files, files, path)) std::abort();
    const std::optional<std::string> saved = files.Bytes(path);
    if (!saved || files.Exists(SettingsTempPath(path))) std::abort();

    fuzz::MemoryProfileFiles reread;
    reread.Put(path, *saved);
    testing::MemorySettingsHost second;
    LoadButtonSettings(second, reread, path);
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
