#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quillory {

// How Open() decided to deliver the bytes to the target.
enum class WriteMethod {
    // Not open, or the last Open() failed.
    None,
    // A new or existing regular file: the bytes go to a temporary file in the
    // same directory, which Commit() syncs and renames over the target.
    Replace,
    // An existing regular file with several hard links, or one whose directory
    // does not let us create the temporary file or replace the file (a sticky
    // folder such as /tmp, where only the file's or the folder's owner may):
    // the bytes are held in memory and Commit() writes them over the file's
    // old contents and cuts it to size. Commit() first makes sure that the new
    // size is within the file-size limit and allocates the space beyond the
    // old end, so a full file system or a limit leaves the old contents whole.
    InPlace,
    // Anything that is not a regular file (character device, FIFO, pipe,
    // terminal) or this process's own standard output or error: every Write()
    // goes straight to it, as a shell redirection would send it.
    Direct,
};

// What Open() does with a FIFO that no program reads yet.
enum class FifoWithoutReader {
    Wait, // block until a reader opens it, as a shell redirection does
    Fail, // fail at once (a window must not hang on it)
};

// Writes a report file the way a shell redirection (`>`) would see it, but
// replaces a regular file only with a complete new version.
//
// - Open() opens the target as the shell would, without creating or emptying
//   it: the kernel follows symbolic links (so its protections for links in
//   shared sticky folders apply), a dangling link creates the file it points
//   to, a loop or a too-deep chain of links fails with the system's message
//   ("Too many levels of symbolic links"), and a file that the process may not
//   write, such as a read-only file of a normal user, fails with "Permission
//   denied" and is left untouched. Then it picks the WriteMethod above.
// - Replace keeps the replaced file's permission bits and, where the process
//   may (as root, or a group the user belongs to), its owner and group.
// - Until Commit() succeeds a replaced or in-place target is untouched; on any
//   failure, on Discard() and on destruction without Commit() the temporary
//   file is removed. A Direct target receives what was written up to then.
//   An in-place write that fails says in Error() what became of the file:
//   "...: No space left on device; its old contents were kept".
// - A replace that the folder refuses when Commit() renames (EPERM or EACCES)
//   falls back to writing the file in place, as the shell would.
// - Temporary files are named ".<name>.quillory-<8 hex digits>.tmp". A
//   process killed outright cannot remove its own, so Open() removes such
//   files of the same user in the target's directory once they are older than
//   kStaleTemporaryAge.
//
// Every failure leaves a message in Error() naming the target path and the
// reason, e.g. `cannot create "/tmp/x/report.txt": No such file or directory`,
// and the reason alone in Reason(). Bytes are written as given (no line-end
// conversion).
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target,
                        FifoWithoutReader fifo = FifoWithoutReader::Wait);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Opens the target and creates the temporary file where one is needed.
    // False, with Error() set, when the target cannot be written.
    bool Open();

    // Appends bytes. False, with Error() set, on the first failure; later
    // calls then fail as well, and Commit refuses.
    bool Write(std::string_view bytes);

    // Makes the written bytes the target's content. False, with Error() set,
    // when anything failed; a replaced target is then as it was before.
    bool Commit();

    // Drops what was written and removes the temporary file.
    void Discard();

    WriteMethod Method() const { return m_method; }
    const std::string& Error() const { return m_error; }
    const std::string& Reason() const { return m_reason; }
    const std::filesystem::path& Target() const { return m_target; }

private:
    // The system's error numbers: errno values, or GetLastError() on Windows.
    bool Fail(std::string_view action, unsigned long systemError);
    bool Fail(std::string_view action, const std::string& reason);
    bool OpenExisting(std::intptr_t handle);
    bool StartReplacing(const std::filesystem::path& destination, std::intptr_t existing);
    bool CommitReplace();
    bool CommitInPlace();
    bool FallBackToInPlace(int renameError);
    bool CloseHandle();
    void CloseAndRemove();

    std::filesystem::path m_target{};
    // Replace: the file that the rename replaces or creates, links resolved.
    std::filesystem::path m_destination{};
    std::filesystem::path m_temporary{};
    // The temporary file (Replace) or the target itself (InPlace, Direct).
    std::intptr_t m_handle{-1};
    // InPlace: the bytes waiting for Commit().
    std::string m_pending{};
    WriteMethod m_method{WriteMethod::None};
    // A dangling link made Open() create the file it points to; it is removed
    // again if nothing is committed.
    bool m_createdThroughLink{};
    FifoWithoutReader m_fifo{FifoWithoutReader::Wait};
    bool m_failed{};
    std::string m_error{};
    std::string m_reason{};
};

// Temporary files older than this are taken as left by a killed run.
inline constexpr std::chrono::hours kStaleTemporaryAge{24};

// True for names of the writer's temporary files (see AtomicFile).
bool IsTemporaryFileName(std::string_view name);

// A path from UTF-8 text: on Windows converted to UTF-16, elsewhere the bytes
// as they are (file names there are bytes).
std::filesystem::path PathFromUtf8(std::string_view text);

} // namespace quillory
