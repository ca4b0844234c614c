// The rich-text reader of cells under a fuzzer: any bytes, read as UTF-8 and
// as Latin-1, must read to a document without crashing, hanging or growing
// beyond the input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "grid/richtext/RichTextReader.h"

namespace {

void Check(const QString& text)
{
    const TRichTextDocument document = ReadRichText(text);
    // No reading makes more characters than it was given, plus a line break per paragraph.
    if (RichDocumentText(document).size() > text.size() + qsizetype(document.size()) + 1)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto* chars = reinterpret_cast<const char*>(data);
    Check(QString::fromUtf8(chars, qsizetype(size)));
    Check(QString::fromLatin1(chars, qsizetype(size)));
    return 0;
}
