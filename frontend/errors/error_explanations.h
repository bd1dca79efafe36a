// What an error in a result means, in plain words, and what to do about it:
// shown when the pointer rests on an error in a picture.
#pragma once

#include <string>
#include <string_view>

#include "symcalc/error_code.h"

namespace symcalc::gui {

// The engine's error messages run from code 0 to this one.
inline constexpr int kLastErrorCode = kErrorCount - 1;

// The code the engine reports for a call with the wrong number of arguments.
inline constexpr int kWrongArgumentCountCode = static_cast<int>(ErrorCode::WrongParameterCount);

// The explanation of an error code; empty outside 0 to kLastErrorCode.
std::string_view ErrorExplanation(int code);

// How many arguments the function of that name takes, as a sentence such as
// "sin takes 1 argument."; empty when no function has that name. Asks the
// engine, so it runs where the engine runs.
std::string ExpectedArgumentsText(std::string_view function);

// The tooltip of an error: its explanation, and for a call with the wrong
// number of arguments the counts of the function called (`operand` is the
// call's text, such as "sin(1,2)"). Runs where the engine runs.
std::string ErrorTip(int code, std::string_view operand);

}  // namespace symcalc::gui
