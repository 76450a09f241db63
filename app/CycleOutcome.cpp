#include "app/CycleOutcome.h"

#include "ParserLib/Scanner.h"
#include "app/AppTexts.h"
#include "lib/TextCodec.h"

namespace talvex {

const wchar_t* CaptureFailureText(TCaptureFailure Failure) {
  switch (Failure) {
    case TCaptureFailure::cfNone: return nullptr;
    case TCaptureFailure::cfNoWindow: return texts::NoWindow;
    case TCaptureFailure::cfOwnWindow: return texts::OwnWindow;
    case TCaptureFailure::cfElevated: return texts::ElevatedWindow;
    case TCaptureFailure::cfNoAnswer: return texts::NotAnswering;
    case TCaptureFailure::cfNothingSelected: return texts::NothingSelected;
    case TCaptureFailure::cfClipboardBusy: return texts::ClipboardTaken;
    case TCaptureFailure::cfKeysRefused: return texts::CopyRefused;
    case TCaptureFailure::cfNoCopy: return texts::CopiedNothing;
    case TCaptureFailure::cfNoText: return texts::CopiedNoText;
    case TCaptureFailure::cfOutOfMemory: return texts::OutOfMemory;
    case TCaptureFailure::cfEnded: return nullptr;
  }
  return nullptr;
}

const wchar_t* GiveBackText(TGiveBack GiveBack) {
  switch (GiveBack) {
    case TGiveBack::gbFailed: return texts::ClipboardNotRestored;
    case TGiveBack::gbPartly: return texts::ClipboardPartlyRestored;
    case TGiveBack::gbRestored:
    case TGiveBack::gbLeft: return nullptr;
  }
  return nullptr;
}

std::wstring ValuelessText(TCalcParser& Parser, std::wstring_view Expression) {
  std::string Text;
  std::size_t BadIndex = 0;
  if (!WideToCp1251Exact(Expression, Text, BadIndex)) return texts::NoValue;
  int Pos = 1;
  SkipBlanks(Pos, Text, false);
  if (static_cast<std::size_t>(Pos) > Text.size()) return texts::NoValue;
  const std::string_view Name = ReadIdentifier(Text, Pos);
  SkipBlanks(Pos, Text, false);
  if (Name.empty() || CharAt(Text, Pos, false) != ':' || CharAt(Text, Pos + 1, false) != '=') return texts::NoValue;
  TCalcValue Value;
  GetVariable(Parser.Variables, Name, false, Value);
  if (Value.Kind == vkNone) return texts::NoValue;
  try {
    return Cp1251ToWide(Name) + L" = " + Cp1251ToWide(FormatValue(Parser, Value));
  } catch (const Exception&) {
    return texts::NoValue;  // a value the output format cannot show
  }
}

}  // namespace talvex
