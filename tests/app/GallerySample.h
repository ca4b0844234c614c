#pragma once

// The gallery's sample control of one class.

#include "app/GalleryForm.h"

template <class T>
T* SampleOf(TGalleryForm& form)
{
    for (TControl* c : form.SampleControls())
        if (auto* sample = dynamic_cast<T*>(c))
            return sample;
    return nullptr;
}
