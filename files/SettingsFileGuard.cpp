#include "files/SettingsFileGuard.h"

#include <system_error>

namespace quillory {
namespace {

namespace fs = std::filesystem;

enum class Links { Follow, Refuse };

// True for a regular file, and for nothing at all (not even a dangling link).
bool IsRegularOrMissing(const fs::path& path, Links links) {
    std::error_code error;
    const fs::file_type type = fs::symlink_status(path, error).type();
    if (type == fs::file_type::symlink) {
        return links == Links::Follow && fs::is_regular_file(fs::status(path, error));
    }
    return type == fs::file_type::regular || type == fs::file_type::not_found ||
           type == fs::file_type::none;
}

// The path between quotes, as UTF-8 with the system's separators.
std::string Quoted(fs::path path) {
    const std::u8string text = path.make_preferred().u8string();
    return '"' + std::string(text.begin(), text.end()) + '"';
}

fs::path LockPath(const fs::path& file) {
    return fs::path(file) += ".lock";
}

std::string NotSaved(const std::string& cause) {
    return "the settings were not saved: " + cause;
}

} // namespace

std::optional<std::string> SettingsFileFault(const fs::path& file) {
    if (IsRegularOrMissing(file, Links::Follow)) {
        return std::nullopt;
    }
    return Quoted(file) + " is not a regular file; the default settings are used and not saved";
}

std::optional<std::string> PrepareSettingsWrite(const fs::path& file) {
    if (auto fault = SettingsFileFault(file)) {
        return fault;
    }
    if (!IsRegularOrMissing(LockPath(file), Links::Refuse)) {
        return NotSaved(Quoted(LockPath(file)) + " is not a regular file");
    }
    std::error_code error;
    const fs::path folder = fs::absolute(file, error).parent_path();
    fs::create_directories(folder, error);
    if (error) {
        return NotSaved("cannot create the folder " + Quoted(folder));
    }
    return std::nullopt;
}

std::string SettingsNotSavedNote(SettingsWriteFailure failure, const fs::path& file) {
    switch (failure) {
    case SettingsWriteFailure::LockHeld:
        return NotSaved(Quoted(LockPath(file)) + " stayed locked");
    case SettingsWriteFailure::LockDenied:
        return NotSaved("cannot create " + Quoted(LockPath(file)) + ": permission denied");
    case SettingsWriteFailure::LockNotCreated:
        return NotSaved("cannot create " + Quoted(LockPath(file)));
    case SettingsWriteFailure::FileDenied:
        break;
    }
    return NotSaved("cannot write " + Quoted(file) + ": permission denied");
}

} // namespace quillory
