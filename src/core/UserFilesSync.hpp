#pragma once

#include <optional>
#include <string>

#include <boost/filesystem/path.hpp>

// Called after every file the game writes. On the desktop the write itself is durable; where
// the user's files live in storage that must be told (a browser's), this hands them over and
// waits: false when that storage refused them (full, or private browsing).
#ifdef __EMSCRIPTEN__
bool PersistUserFiles();
#else
inline bool PersistUserFiles() { return true; }
#endif

// What a file held before it is replaced. When the browser's storage refuses the new file, it
// is put back, so that the game sees what that storage still holds and a failed write leaves
// the old file, as everywhere. Nothing on the desktop, where the write itself is the storage.
class UserFileBefore {
public:
#ifdef __EMSCRIPTEN__
    explicit UserFileBefore(const boost::filesystem::path& file);
    void PutBack() const;

private:
    boost::filesystem::path file_;
    std::optional<std::string> text_;  // none: there was no file
#else
    explicit UserFileBefore(const boost::filesystem::path&) {}
    void PutBack() const {}
#endif
};
