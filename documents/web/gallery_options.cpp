#include "documents/web/gallery_options.h"

#include <algorithm>

namespace webgallery {

int layoutColumns(int chosen)
{
    if (chosen > kMaxColumns)
        return kMaxColumns;
    return chosen < 1 ? kDefaultColumns : chosen;
}

int layoutRows(int chosen)
{
    return chosen > kMaxRows || chosen < 1 ? kDefaultRows : chosen;
}

int layoutBorder(int chosen)
{
    return std::clamp(chosen, 0, kMaxBorder);
}

bool hasLink(const GalleryOptions &options)
{
    return !options.linkText.trimmed().isEmpty() && !options.url.trimmed().isEmpty();
}

} // namespace webgallery
