#include "platform/framework/actions/ImageListLink.h"

#include "platform/framework/actions/ImageList.h"

TImageListLink::~TImageListLink()
{
    if (images_)
        images_->RemoveChangeListener(this);
}

bool TImageListLink::Set(TImageList* images)
{
    if (images == images_)
        return false;
    if (images_)
        images_->RemoveChangeListener(this);
    images_ = images;
    if (images_)
        images_->AddChangeListener(this, [this](bool destroyed) {
            if (destroyed)
                images_ = nullptr;
            if (changed_)
                changed_();
        });
    return true;
}
