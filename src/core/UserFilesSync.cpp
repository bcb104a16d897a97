#ifdef __EMSCRIPTEN__

#include "core/UserFilesSync.hpp"

#include <emscripten.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

// 1 while the browser is storing, then 0 done or -1 refused. The page mounted the user's folder
// on IndexedDB and read it before the game started (web/pre.js).
EM_JS(void, StartStoringUserFiles, (), {
    Module.userFilesStored = 1;
    FS.syncfs(false, function(error) {
        if (error) console.warn("the browser did not store the user's files:", error);
        Module.userFilesStored = error ? -1 : 0;
    });
});

EM_JS(int, UserFilesStoring, (), { return Module.userFilesStored; });

}  // namespace

bool PersistUserFiles() {
    StartStoringUserFiles();
    // IndexedDB answers from the browser's own loop, so the game yields to it until then.
    while (UserFilesStoring() == 1) emscripten_sleep(2);
    return UserFilesStoring() == 0;
}

UserFileBefore::UserFileBefore(const boost::filesystem::path& file) : file_(file) {
    std::ifstream in(file.c_str(), std::ios::binary);
    if (in) text_ = std::string(std::istreambuf_iterator<char>(in), {});
}

void UserFileBefore::PutBack() const {
    if (!text_) {
        std::remove(file_.c_str());
        return;
    }
    std::ofstream(file_.c_str(), std::ios::binary | std::ios::trunc) << *text_;
}

#endif
