#include "core/ContentProblems.hpp"

#include "core/ContentError.hpp"
#include "core/ErrorReport.hpp"

namespace {

ContentProblems* active = nullptr;

}  // namespace

ContentProblems::ContentProblems() { active = this; }

ContentProblems::~ContentProblems() { active = nullptr; }

bool ContentProblems::Checking() { return active != nullptr; }

void ContentProblems::Note(const std::exception& error) {
    if (active) active->lines_.push_back(DescribeFatalError(error));
}

void ContentProblems::Note(const boost::filesystem::path& file, const std::string& problem) {
    if (active) Note(ContentError(file, problem));
}
