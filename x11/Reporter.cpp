#include "x11/Reporter.h"

#include "x11/Messages.h"

namespace talvex::x11 {

std::string EscapedMarkup(const std::string& Text) {
  std::string Out;
  for (const char C : Text) {
    if (C == '&') Out += "&amp;";
    else if (C == '<') Out += "&lt;";
    else if (C == '>') Out += "&gt;";
    else Out += C;
  }
  return Out;
}

void TReporter::Result(const std::string& Answer) {
  if (NotifyResults) Tell(Answer, false, false);
}

void TReporter::Tell(const std::string& Message, bool IsError, bool AlwaysWrite) {
  // Asked each time: the desktop may start its service after the program.
  const bool Shown = Service && Service->Show(Message, IsError);
  if (!Shown && !SaidNoService) {
    Write("talvex-x11: " + Text(TMessageKey::NoNotifications, Lang));
    SaidNoService = true;
  }
  if (!Shown || AlsoWrite || AlwaysWrite) Write("talvex-x11: " + Message);
}

}  // namespace talvex::x11
