#include "keeping/SettingsPlace.h"

#include "config/SettingsFile.h"

namespace tressel {

SettingsPlace ChooseSettingsPlace(FileSystem& files, const std::wstring& moduleFileName,
                                  const std::wstring& localAppData) {
    SettingsPlace place;
    place.programFolderFile = SettingsFilePath(moduleFileName);
    place.path = place.programFolderFile;
    if (localAppData.empty() || files.CanWrite(place.programFolderFile)) return place;
    if (files.LastRefusalPasses()) return place;
    place.path = localAppData + kLocalSettingsFolder + kSettingsFileName;
    return place;
}

std::wstring FileToLoad(FileSystem& files, const SettingsPlace& place) {
    if (place.Moved() && !files.Exists(place.path)) return place.programFolderFile;
    return place.path;
}

void PrepareMovedFile(FileSystem& files, const SettingsPlace& place) {
    if (!place.Moved() || files.Exists(place.path)) return;
    const std::wstring folder = place.path.substr(0, place.path.rfind(L'\\'));
    files.CreateFolder(folder);
    // A copy that fails (the file unreadable, say) leaves the save to start a new file.
    if (files.Exists(place.programFolderFile)) files.Copy(place.programFolderFile, place.path);
}

}  // namespace tressel
