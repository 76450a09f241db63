#include "app/MinimizeAnimation.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace talvex {

bool GetMinimizeAnimation() {
  ANIMATIONINFO Info{};
  Info.cbSize = sizeof Info;
  return SystemParametersInfoW(SPI_GETANIMATION, sizeof Info, &Info, 0) && Info.iMinAnimate != 0;
}

void SetMinimizeAnimation(bool On) {
  ANIMATIONINFO Info{};
  Info.cbSize = sizeof Info;
  Info.iMinAnimate = On ? -1 : 0;
  SystemParametersInfoW(SPI_SETANIMATION, sizeof Info, &Info, 0);
}

}  // namespace talvex
