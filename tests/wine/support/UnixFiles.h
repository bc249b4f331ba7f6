#pragma once
// The Unix side of files from a Wine test: the two spellings of a path, and a change made with a
// Unix command (the immutable flag, a folder moved away underneath Wine) that is undone when its
// guard ends, so that no failed or killed test leaves it behind for the next run.

#include <string>

namespace tressel::testing {

// The Unix path of a Windows path, through Wine's own wine_get_unix_file_name; empty when Wine
// knows none.
std::string UnixPathOf(const std::wstring& path);

// The Windows path of a Unix path, on the drive Wine maps to the Unix root (Z:).
std::wstring DosPathOf(const std::string& unixPath);

// A Unix command run now, and its undoing run when the object ends or at Undo(); nothing is undone
// when the command failed.
class UnixChange {
  public:
    UnixChange(const std::string& command, std::string undo);
    ~UnixChange() { Undo(); }
    UnixChange(UnixChange&& other) noexcept;
    UnixChange(const UnixChange&) = delete;
    UnixChange& operator=(const UnixChange&) = delete;
    UnixChange& operator=(UnixChange&&) = delete;

    // The Linux immutable flag (chattr +i) on a file or folder. Under Wine the tests run as root,
    // whom the Unix permissions behind the read-only attribute do not bind; the flag binds root:
    // an immutable file cannot be written, replaced, renamed or deleted, and an immutable folder
    // takes no new entry and loses none, while the files in it stay writable.
    static UnixChange Immutable(const std::wstring& path);
    // `folder` moved to `away` with mv: Wine's MoveFileW refuses to rename the folder of a running
    // program (its file is open), as a drive taken out or a share lost takes the folder away.
    static UnixChange MovedAway(const std::wstring& folder, const std::wstring& away);

    // True while the change holds.
    bool Made() const { return made_; }
    void Undo();

  private:
    std::string undo_;
    bool made_;
};

}  // namespace tressel::testing
