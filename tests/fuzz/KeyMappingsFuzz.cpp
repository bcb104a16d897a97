#include <exception>

#include "FuzzSupport.hpp"
#include "core/Services.hpp"
#include "input/InputManager.hpp"
#include "input/KeyMappings.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterFuzzFolder();
    WriteInput("Content/Config/KeyMappings.json", data, size);
    InputManager input;
    Services::input = &input;
    try {
        LoadKeyMappings("Content/Config/KeyMappings.json");
    } catch (const std::exception&) {
        // A content error is the expected answer to a bad file.
    }
    Services::input = nullptr;
    return 0;
}
