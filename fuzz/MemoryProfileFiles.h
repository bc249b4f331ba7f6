#pragma once
// Settings files held in memory as parsed documents, for a harness that runs thousands of
// load-save-load rounds a second. Profile reads and writes act on the document with the file
// store's own parse and rules; the file operations move whole documents. Bytes come in once
// (Put) and go out once (Bytes). What the file store adds, reading and parsing the file again
// on every call, is the INI harness's to exercise.

#include <map>
#include <optional>
#include <string>

#include "seam/FileSystem.h"
#include "seam/ProfileStore.h"
#include "seam/portable/IniDocument.h"
#include "seam/portable/IniEncoding.h"
#include "seam/portable/IniProfileStore.h"

namespace tressel::fuzz {

class MemoryProfileFiles : public ProfileStore, public FileSystem {
  public:
    void Put(const std::wstring& path, const std::string& bytes) {
        DecodedIni decoded = DecodeIniBytes(bytes);
        files_[path] = File{decoded.encoding, IniDocument::Parse(decoded.text)};
    }
    std::optional<std::string> Bytes(const std::wstring& path) const {
        const auto found = files_.find(path);
        if (found == files_.end()) return std::nullopt;
        return EncodeIniText(found->second.encoding, found->second.document.Serialize());
    }

    std::wstring GetString(const std::wstring& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& defaultValue,
                           std::size_t bufferSize) override {
        const auto found = files_.find(file);
        const std::optional<std::wstring> stored =
            found == files_.end() ? std::nullopt : found->second.document.Find(section, key);
        return ProfileValueAsRead(stored, defaultValue, bufferSize);
    }
    bool WriteString(const std::wstring& file, const std::wstring& section,
                     const std::optional<std::wstring>& key,
                     const std::optional<std::wstring>& value) override {
        const auto found = files_.find(file);
        if (found != files_.end()) {
            ApplyProfileWrite(found->second.document, section, key, value);
            return true;
        }
        // A missing file comes into being (as ANSI) only when something is written.
        File created;
        if (ApplyProfileWrite(created.document, section, key, value))
            files_[file] = std::move(created);
        return true;
    }
    void Flush(const std::wstring&) override {}
    std::vector<std::wstring> SectionNames(const std::wstring& file) override {
        const auto found = files_.find(file);
        if (found == files_.end()) return {};
        return found->second.document.SectionNames();
    }

    bool Exists(const std::wstring& path) override { return files_.count(path) != 0; }
    bool FolderExists(const std::wstring&) override { return true; }
    bool Copy(const std::wstring& from, const std::wstring& to) override {
        if (!Exists(from)) return false;
        files_[to] = files_[from];
        return true;
    }
    bool CreateUnicodeFile(const std::wstring& path) override {
        files_[path] = File{IniEncoding::Utf16Le, {}};
        return true;
    }
    bool FlushToDisk(const std::wstring& path) override { return Exists(path); }
    bool ReplaceAtomically(const std::wstring& from, const std::wstring& to) override {
        if (!Exists(from)) return false;
        if (from == to) return true;
        files_[to] = std::move(files_[from]);
        files_.erase(from);
        return true;
    }
    bool Remove(const std::wstring& path) override { return files_.erase(path) != 0; }
    bool CanRead(const std::wstring& path) override { return Exists(path); }
    bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override {
        return !Exists(to) && ReplaceAtomically(from, to);
    }
    // Nothing writes these files but the harness: one stamp stays the same.
    std::optional<FileStamp> Stamp(const std::wstring& path) override {
        if (!Exists(path)) return std::nullopt;
        return FileStamp{};
    }
    std::unique_ptr<ReadHold> HoldReadable(const std::wstring& path) override {
        return Exists(path) ? std::make_unique<ReadHold>() : nullptr;
    }
    bool CanWrite(const std::wstring&) override { return true; }
    bool CreateFolder(const std::wstring&) override { return true; }
    bool LastRefusalPasses() override { return false; }

  private:
    struct File {
        IniEncoding encoding = IniEncoding::Ansi;
        IniDocument document;
    };
    std::map<std::wstring, File> files_;
};

}  // namespace tressel::fuzz
