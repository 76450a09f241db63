// The engine's clock on Windows: GetLocalTime for Now, GetSystemTime for Random.
#pragma once

#include "ParserLib/Platform.h"

namespace talvex {

class TWindowsClock final : public IClock {
 public:
  TSystemTime LocalTime() override;
  TSystemTime UtcTime() override;
};

}  // namespace talvex
