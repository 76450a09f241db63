#include "ParserLib/Platform.h"

#include <chrono>
#include <ctime>

namespace talvex {
namespace {

TSystemTime FromTm(const std::tm& T, int Milliseconds) {
  TSystemTime S;
  S.Year = static_cast<uint16_t>(T.tm_year + 1900);
  S.Month = static_cast<uint16_t>(T.tm_mon + 1);
  S.DayOfWeek = static_cast<uint16_t>(T.tm_wday);
  S.Day = static_cast<uint16_t>(T.tm_mday);
  S.Hour = static_cast<uint16_t>(T.tm_hour);
  S.Minute = static_cast<uint16_t>(T.tm_min);
  S.Second = static_cast<uint16_t>(T.tm_sec > 59 ? 59 : T.tm_sec);
  S.Milliseconds = static_cast<uint16_t>(Milliseconds);
  return S;
}

class TStandardClock final : public IClock {
 public:
  TSystemTime LocalTime() override { return Read(true); }
  TSystemTime UtcTime() override { return Read(false); }

 private:
  static TSystemTime Read(bool Local) {
    using namespace std::chrono;
    const auto Now = system_clock::now();
    const auto Ms = duration_cast<milliseconds>(Now.time_since_epoch()).count() % 1000;
    const std::time_t Seconds = system_clock::to_time_t(Now);
    std::tm T{};
#ifdef _WIN32
    if (Local) localtime_s(&T, &Seconds); else gmtime_s(&T, &Seconds);
#else
    if (Local) localtime_r(&Seconds, &T); else gmtime_r(&Seconds, &T);
#endif
    return FromTm(T, static_cast<int>(Ms < 0 ? 0 : Ms));
  }
};

TStandardClock StandardClock;
IClock* CurrentClock = &StandardClock;

}  // namespace

IClock& Clock() { return *CurrentClock; }

void SetClock(IClock* NewClock) { CurrentClock = NewClock ? NewClock : &StandardClock; }

}  // namespace talvex
