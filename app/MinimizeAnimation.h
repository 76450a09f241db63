// The system's minimise and restore animation, switched off while the about
// window is hidden so that it vanishes without the animation.
#pragma once

namespace talvex {

bool GetMinimizeAnimation();
// Neither written to the user's profile nor broadcast.
void SetMinimizeAnimation(bool On);

}  // namespace talvex
