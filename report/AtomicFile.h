#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace quillory {

// Writes a file so that it is replaced only by a complete new version: Open
// creates a temporary file next to the target (same directory, so the final
// rename stays on one file system), Write appends to it with every write
// checked, and Commit flushes, syncs and closes it and renames it over the
// target. Until Commit succeeds the target is untouched; on any failure, on
// Discard and on destruction without Commit the temporary file is removed.
//
// Every failure leaves a message in Error() naming the target path and the
// reason, e.g. `cannot create "/tmp/x/report.txt": No such file or directory`.
// Bytes are written as given (no line-end conversion). A target that is a
// symbolic link is written through: the file it points to is replaced.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. False, with Error() set, when the target
    // cannot be written (no such directory, no permission, a directory, ...).
    bool Open();

    // Appends bytes. False, with Error() set, on the first failure; later
    // calls then fail as well, and Commit refuses.
    bool Write(std::string_view bytes);

    // Makes the written bytes the target's content. False, with Error() set,
    // when anything failed; the target is then as it was before.
    bool Commit();

    // Drops what was written and removes the temporary file.
    void Discard();

    const std::string& Error() const { return m_error; }
    const std::filesystem::path& Target() const { return m_target; }

private:
    bool Fail(std::string_view action, int errorNumber);
    bool Fail(std::string_view action, const std::string& reason);
    void CloseAndRemove();

    std::filesystem::path m_target{};
    std::filesystem::path m_destination{}; // the target with symbolic links resolved
    std::filesystem::path m_temporary{};
    std::FILE* m_file{};
    bool m_failed{};
    std::string m_error{};
};

} // namespace quillory
