#include "grid/editor/GridEditorFactory.h"

#include <algorithm>

TGridCustomEditor* TGridEditorFactory::GetEditor(int col, int row) const
{
    for (TGridCustomEditor* e : editors_)
        if (e->Accepts(col, row))
            return e;
    return nullptr;
}

void TGridEditorFactory::Register(TGridCustomEditor* editor)
{
    if (editor && std::find(editors_.begin(), editors_.end(), editor) == editors_.end())
        editors_.push_back(editor);
}

void TGridEditorFactory::Unregister(TGridCustomEditor* editor)
{
    editors_.erase(std::remove(editors_.begin(), editors_.end(), editor), editors_.end());
}
