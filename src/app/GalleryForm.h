#pragma once

// A window that shows each component on sample data, one titled region per
// sample, stacked top to bottom. Built in code; not one of the screens.

#include <functional>
#include <vector>

#include <QString>

#include "platform/framework/Form.h"

// One sample: a title and the control it builds inside the given bounds.
struct TGallerySample {
    QString Title;
    int Width = 0;
    int Height = 0;
    std::function<TControl*(TCustomForm* form, const TRect& bounds)> Make;
};

// The samples in the order shown; a new component adds its entry here.
const std::vector<TGallerySample>& GallerySamples();

class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TGalleryForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    // The sample controls, in the order of GallerySamples().
    const std::vector<TControl*>& SampleControls() const { return controls_; }

private:
    std::vector<TControl*> controls_;
};
