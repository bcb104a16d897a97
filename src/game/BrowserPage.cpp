#ifdef __EMSCRIPTEN__

#include "game/BrowserPage.hpp"

#include <emscripten.h>

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <sstream>

#include "core/ContentError.hpp"
#include "core/ErrorReport.hpp"
#include "core/FolderListing.hpp"
#include "core/JsonFile.hpp"
#include "core/Services.hpp"
#include "gameplay/GameplayScreenBehavior.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/MessagePanel.hpp"
#include "input/InputManager.hpp"
#include "scene/Behavior.hpp"
#include "scene/GameObject.hpp"

namespace fs = boost::filesystem;

namespace {

enum class PageRequest : int { None = 0, Download = 1, Upload = 2, UploadTooBig = 3 };

// The page's buttons only queue requests (and write an upload under uploads/): nothing may call
// into the game while it sleeps, so the game takes them between frames.
EM_JS(int, TakePageRequest, (char* name, int size), {
    var request = Module.pageRequests.shift();
    if (!request) return 0;
    stringToUTF8(request.name, name, size);
    return request.kind;
});

EM_JS(void, OfferDownload, (const char* name, const char* text), {
    var link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([UTF8ToString(text)], {type: "application/json"}));
    link.download = UTF8ToString(name);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function() { URL.revokeObjectURL(link.href); }, 10000);
});

EM_JS(void, ShowEndOnPage, (), {
    document.getElementById("status").textContent = "The game has ended: reload the page to play again.";
});

// performance.now() of the first frame on screen, for the page's own measurement.
EM_JS(void, NoteFirstFrame, (), {
    requestAnimationFrame(function() { Module.firstFrameAt = performance.now(); });
});

const char* const startLine = "Click or press a key to start";

// A name the browser gave, used as a file name in the user's level folder.
bool IsPlainLevelName(const std::string& name) {
    return !name.empty() && name.size() <= 200 && name[0] != '.' && name.find('/') == std::string::npos &&
           LowerFileName(fs::path(name)).ends_with(".json") && name.size() > 5;
}

class BrowserPageBehavior : public Behavior {
public:
    void HandleInput() override {
        const InputManager& input = *Services::input;
        if (waiting_ && (input.keys & ~input.previousKeys).any()) answered_ = true;
    }

    void Update() override {
        if (++frames_ == 2) NoteFirstFrame();
        if (!Screen()) return;
        MessagePanel* panel = gameplayState.panel;
        if (waiting_ && answered_) {
            // After the input pass, so the key that starts does nothing else.
            waiting_ = false;
            if (panel->IsOpen() && panel->text() == startLine) panel->Close();
        } else if (waiting_ && !panel->IsOpen()) {
            panel->Open(startLine, {});
        }
        if (!waiting_ && !gameplayState.TopOverlay()) TakeRequest();
    }

private:
    GameplayScreenBehavior* Screen() {
        if (screen_) return screen_;
        for (GameObject* child : Services::root->children) {
            for (Behavior* b : child->behaviors) {
                if (auto* s = dynamic_cast<GameplayScreenBehavior*>(b); s && s->started) screen_ = s;
            }
        }
        return screen_;
    }

    void TakeRequest() {
        char name[256] = {};
        const auto request = PageRequest(TakePageRequest(name, int(sizeof name)));
        if (request == PageRequest::Download) Download();
        if (request == PageRequest::Upload || request == PageRequest::UploadTooBig) {
            const fs::path file = fs::path("uploads") / name;
            try {
                if (request == PageRequest::UploadTooBig) throw ContentError(name, "too big for a level file");
                Upload(name, file);
            } catch (const std::exception& e) {
                Tell(DescribeFatalError(e));
            }
            boost::system::error_code error;
            fs::remove(file, error);
        }
    }

    // The shown level as its file would hold it, edits included.
    void Download() {
        const LevelSet& levels = screen_->levels();
        const LevelData& level = levels.Level(levels.Shown());
        LevelData copy;
        copy.tiles = level.shown;
        boost::property_tree::ptree tree;
        copy.WriteTo(tree);
        std::ostringstream text;
        boost::property_tree::write_json(text, tree, true);
        OfferDownload((level.fileName.empty() ? level.name + ".json" : level.fileName).c_str(), text.str().c_str());
    }

    // Read as the game reads every level file; joins the list under its own name, saved at once.
    void Upload(const std::string& name, const fs::path& file) {
        if (!IsPlainLevelName(name)) throw ContentError(name, "not a level file (a name ending in .json)");
        LevelData level;
        const boost::property_tree::ptree tree = ReadJsonFile(file);
        LoadingFile(file, [&] { level.ReadFrom(tree); });
        LevelSet& levels = screen_->levels();
        for (int32_t i = 0; i < levels.Count(); ++i) {
            if (LowerFileName(fs::path(levels.Level(i).fileName)) == LowerFileName(fs::path(name))) {
                throw ContentError(name, "a level of that name is in the list already; rename the file to add it");
            }
        }
        levels.Adopt(name, level.tiles);
        levels.Show(levels.Count() - 1);
        screen_->ShowLevelLine();
        // A failed save keeps the level in the list as an unsaved edit, as any failed save does.
        if (screen_->SaveLevel()) screen_->ShowMessage("Added " + name);
    }

    void Tell(const std::string& line) {
        ReportToLog(line);
        gameplayState.panel->Open(line, {{Key::OemEnter, Key::Esc, "Enter: OK", {}}});
    }

    GameplayScreenBehavior* screen_ = nullptr;
    bool waiting_ = true;
    bool answered_ = false;
    int frames_ = 0;
};

}  // namespace

void AttachBrowserPage() {
    auto* page = Services::root->AddChild(new GameObject());
    page->AddComponent(new BrowserPageBehavior());
}

void ShowGameEnded() { ShowEndOnPage(); }

#endif
