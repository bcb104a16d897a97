#pragma once

#include <exception>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

// The problems a content check finds (glimmerduct --check). While one is alive, the loaders
// that read several files note a bad file here and go on with the next, and also note what
// the game itself passes over in silence (a picture that does not decode, a cue layer without
// its sound). Otherwise a bad file stops the load as ever and nothing is noted. One at a time,
// on the main thread.
class ContentProblems {
public:
    ContentProblems();
    ~ContentProblems();
    ContentProblems(const ContentProblems&) = delete;
    ContentProblems& operator=(const ContentProblems&) = delete;

    static bool Checking();
    // Notes the line the game would report for `error` (see DescribeFatalError).
    static void Note(const std::exception& error);
    // Notes "file: problem"; does nothing outside a check.
    static void Note(const boost::filesystem::path& file, const std::string& problem);

    // One line each, naming the file, in the order found.
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// Runs `load`, the loading of one file among others: in a check a failure is noted and the
// caller goes on with the next file; otherwise it goes up as ever.
template <class Load>
void LoadingEach(Load&& load) {
    try {
        load();
    } catch (const std::exception& e) {
        if (!ContentProblems::Checking()) throw;
        ContentProblems::Note(e);
    }
}
