#include "ParserLib/RuntimeErrors.h"

namespace talvex {

void RaiseConvertError(std::string_view Text, std::string_view What) {
  std::string Message = "'";
  Message += Text;
  Message += "' is not a valid ";
  Message += What;
  throw EConvertError(std::move(Message));
}

}  // namespace talvex
