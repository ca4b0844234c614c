// Feeds arbitrary bytes to the stored-definition reader. Anything it accepts
// must survive a write and a second read unchanged, and the written text must
// be stable; a fault there, or any crash or stray exception, is a finding.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stream/FormReader.h"
#include "stream/FormWriter.h"

namespace {

[[noreturn]] void Finding(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "stream fuzz finding: %s\n%s\n", what, detail.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FormObject tree;
    try {
        tree = ReadForm(text, "fuzz");
    } catch (const EFormError&) {
        return 0; // a clean refusal is the expected outcome for most inputs
    }

    std::string written;
    try {
        written = WriteForm(tree);
    } catch (const std::exception& e) {
        Finding("a tree the reader accepted could not be written", e.what());
    }
    FormObject back;
    try {
        back = ReadForm(written, "rewritten");
    } catch (const EFormError& e) {
        Finding("written text does not read back", std::string(e.what()) + "\n" + written);
    }
    if (!(back == tree))
        Finding("tree changed in a write and read", written);
    if (WriteForm(back) != written)
        Finding("second write differs from the first", written);
    return 0;
}
