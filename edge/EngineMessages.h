// The engine's errors as the user of a front end reads them, in Russian (the engine's
// own texts) or in English, chosen by each message's identity.
#pragma once

#include <string>
#include <string_view>

#include "ParserLib/Messages.h"
#include "ParserLib/ParserException.h"
#include "ParserLib/RuntimeErrors.h"
#include "edge/Language.h"

namespace talvex {

// The message with that identity in Language, code page 1251, with "%s" and
// "%d" where the Russian text has them. English texts are plain ASCII.
std::string_view EngineMessageText(TMessageId Id, TLanguage Language);

// An engine error on one line (code page 1251): "position N: " (Russian
// "Позиция N:  ") where the engine records it, the message with its
// arguments, and after ": " the error it explains. A name the engine carries
// in its own letter case is shown as Expression writes it, when Expression
// writes it one way only.
std::string EngineErrorText(const EParserException& Error, TLanguage Language, std::string_view Expression);

// Argument as Expression spells it: every occurrence of it there, ignoring
// letter case and not inside a longer name, written the same way; else
// Argument itself.
std::string AsWritten(std::string_view Argument, std::string_view Expression);

// The text the user reads for an error of the engine (UTF-8) in Language:
// the one place where a message leaves the engine. Expression (code page
// 1251) is the one that failed, for the spelling of the names in the message.
std::string ErrorText(const Exception& Error, TLanguage Language, std::string_view Expression);

// The message for an expression with a character code page 1251 lacks, at
// ByteOffset of the UTF-8 text; its position counts characters, as the
// engine's positions do.
std::string NotInCodePageText(std::string_view Utf8Expression, std::size_t ByteOffset, TLanguage Language);

}  // namespace talvex
