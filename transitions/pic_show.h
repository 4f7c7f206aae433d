#pragma once
// TPicShow: the transition control as placed in windows; it adds no behaviour to
// TCustomPicShow.
#include "transitions/custom_pic_show.h"

namespace transitions {

class TPicShow : public TCustomPicShow {
public:
    using TCustomPicShow::TCustomPicShow;
};

} // namespace transitions
