// The reader of the PT grid's stored rows under a fuzzer: any text either reads
// into rows or is refused with a placed error, and rows that were read write
// back to a form that reads to the same rows again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "grid/model/PTModelStorage.h"
#include "grid/model/PTOwner.h"
#include "grid/model/PTRows.h"
#include "stream/FormReader.h"

namespace {

class StubGrid final : public IPTGridOwner {
public:
    const TFont& GridFont() const override { return PTDefaultGridFont(); }
    TColor GridColor() const override { return PTDefaultGridColor; }
    void CellCreated(TPTCell*) override {}
    void CellDestroyed(TPTCell*) override {}
    void RowChanged(int) override {}
    void RowsChanged() override {}
    void ExpandCollapse(int, bool) override {}

    TPTRows rows{this};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    StubGrid grid;
    try {
        const FormObject form = ReadForm(text, "rows.form");
        const FormProperty* rows = form.Find("Rows");
        if (!rows)
            return 0;
        TPTModelStorage::Read(grid.rows, rows->value, "rows.form");
    } catch (const EFormError&) {
        // A refused definition must leave the rows untouched: none were there.
        if (grid.rows.Count() != 0)
            std::abort();
        return 0;
    }
    const FormValue written = TPTModelStorage::Write(grid.rows);
    StubGrid again;
    TPTModelStorage::Read(again.rows, written, "again");
    if (!(TPTModelStorage::Write(again.rows) == written))
        std::abort();
    return 0;
}
